#pragma once
// The values a run of the window program takes from its command line and from
// Program.ini: where the files are, the language of the run, the texts of the
// language section, and the Language choice that is written back for the next run.

#include <QString>
#include <QStringList>
#include <optional>

struct CommandLine {
    QString datFile;   // a .dat file to open instead of a new document
    QString port;      // --port DEVICE: the serial device of this run
    QString configDir; // --config DIR: the folder of Program.ini (absolute)
    QString tracePath; // --trace FILE: the serial trace (absolute)
    bool helpRequested = false;
    bool versionRequested = false;
    QString error; // why the arguments cannot be used; empty when they can
};

// `arguments` as QCoreApplication::arguments() gives them, the program first.
CommandLine ParseCommandLine(const QStringList& arguments);
QString CommandLineUsage();

// Answers --help (with the Program.ini the run would use), --version and unusable
// arguments on standard output or error, and gives the exit status; nullopt when the
// program is to start. Needs no window system, so it works without a display.
std::optional<int> AnswerWithoutWindows(const CommandLine& commandLine,
                                        const QString& programDirectory);

// The options that start the program again the same way: --config, --port and --trace
// when they were given (the .dat file is not opened again).
QStringList RestartArguments(const CommandLine& commandLine);

// The Program.ini a run started this way uses (see RunIniPath in InstallLayout.h).
QString RunIniPathFor(const QString& programDirectory, const CommandLine& commandLine);

// Sets the file locations, the language of the run and the texts of Program.ini that
// name the program (startupConfig()); the port and the trace of --port and --trace
// belong to the session (link/RunSession.h), which the main window makes.
// `programDirectory` is the folder of the executable. Program.ini is the one of
// commandLine.configDir when given, else the one beside the program in a build
// folder, else the user's own copy, made from the installed default on first run.
void LoadRunConfig(const QString& programDirectory, const CommandLine& commandLine);

// A key of the language section ([English], [Chinese], ... as Language names it) of
// the run's Program.ini; empty when the file, section or key is missing.
QString LanguageText(const QString& key);

// [Setup] ShowLang read as a decimal number is not 0 (letters or no key read as 0).
bool LanguageItemShown();

// The Language dialog's OK with `chinese` chosen. Choosing the other language than
// the run's asks for a restart and writes nothing yet: SaveNextRunLanguage writes it
// once the main window has really closed, so a restart the user cancels leaves
// Program.ini as it was. Choosing the run's own language restarts nothing; it only
// writes when Program.ini names another language (set there by hand meanwhile), so the
// next start matches what the user chose last. `ok` is false with `error` set when
// Program.ini cannot be written.
struct LanguageChoiceResult {
    bool restart = false;
    bool ok = true;
    QString error;
};
LanguageChoiceResult ApplyLanguageChoice(bool chinese);

// Writes [Setup] Language for the next run: "Chinese" or "English". False with `error`
// set when Program.ini cannot be written.
bool SaveNextRunLanguage(bool chinese, QString* error);
