#pragma once
// Shared pieces of the chprog commands: option parsing, messages, exit codes, and the
// loading of images and of Program.ini that several commands do.

#include "radio/Language.h"
#include "radio/RadioImage.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <vector>

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;  // the radio or the link failed (diff: the images differ; check: a rule is broken)
constexpr int kExitBadInput = 2; // bad arguments, files or values; nothing written

// The exit statuses, as every help text lists them.
QString ExitStatusHelp();

// Sets up the standard streams once at start: on Windows standard output goes to binary
// mode, so the CRLF line ends of a CSV written to a redirected output stay CRLF (text
// mode would make them CR CR LF), and the console shows UTF-8 (--lang zh). Elsewhere
// there is nothing to do.
void PrepareStandardStreams();

// Prints one line to standard error (UTF-8).
void PrintError(const QString& message);
// Writes text to standard output (UTF-8), as it is.
void PrintOut(const QString& text);

// Parses `arguments` (the command name first) with `parser`, which gets --help added.
// Returns false, after printing help or the error, when the command must end; `exitCode`
// then holds the status to end with.
bool ParseCommand(QCommandLineParser& parser, const QStringList& arguments,
                  const QString& description, int* exitCode);

// --lang en|zh; sets `exitCode` and returns false on any other value.
bool ParseLanguage(const QCommandLineParser& parser, Language* language, int* exitCode);
void AddLanguageOption(QCommandLineParser& parser);

// --config DIR, as the window program takes it.
void AddConfigOption(QCommandLineParser& parser);
// The Program.ini of --config DIR, else the one the window program started from the
// same place would read (beside chprog in a build; the user's copy, or the installed
// default, when installed).
QString ConfigIniPath(const QCommandLineParser& parser);

// Loads or saves a .dat file. On failure prints why, sets `exitCode` to kExitBadInput
// and returns false.
bool LoadImage(const QString& path, RadioImage* image, int* exitCode);
bool SaveImage(const QString& path, const RadioImage& image, int* exitCode);

// "A-B", lowest <= A <= B <= highest, spaces around either end allowed. Both ends are
// required: one channel or row is written "5-5". Shared by --channels and --rows.
bool ParseRange(const QString& text, int lowest, int highest, int* first, int* last);
// --channels A-B: the channels A..B of 1..16, ascending; every channel when the option
// is not given. A range that is not one is told on standard error (false).
bool TakeChannelsOption(const QCommandLineParser& parser, std::vector<int>* channels);
