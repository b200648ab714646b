#pragma once
// Shared pieces of the chprog commands that talk to a radio (read, write, clone): the
// port option, the progress bar, the outcome message, the backup of every image.

#include "files/Backups.h"
#include "link/ExchangeOutcome.h"
#include "link/ProgrammingExchange.h"
#include "link/DetectedPorts.h"
#include "link/QtSerialLink.h"
#include "link/SerialTrace.h"
#include "radio/WriteTarget.h"

#include <QCommandLineParser>
#include <QString>
#include <cstdio>
#include <memory>

QCommandLineOption PortOption();
QCommandLineOption TraceOption();
QCommandLineOption QuietOption();

// The radio's port of one command: the device to open and the --trace file.
struct RadioPort {
    QString device;
    std::shared_ptr<TraceFile> trace; // null without --trace

    // A new link to the device, traced when the command has a trace.
    std::unique_ptr<SerialLink> newLink() const { return std::make_unique<QtSerialLink>(trace); }
};

// The device to open: --port as typed, or the device its COM number maps to in the
// Program.ini of --config; also opens the --trace file. False (after a message) when
// --port is missing, when its COM number's device is missing but one USB serial device
// could stand in (chprog never uses it unasked: the message names it), or when the trace
// cannot be opened.
bool TakeDevice(const QCommandLineParser& parser, RadioPort* port);

// --ports auto of clone.
QCommandLineOption PortsOption();

// The devices of every --port (each as TakeDevice maps it) and of --ports auto, and the
// --trace file all their links share. False (after a message) as TakeDevice, when no
// port is given, or when one device is given twice (also under two names).
bool TakeDevices(const QString& command, const QCommandLineParser& parser, QStringList* devices,
                 std::shared_ptr<TraceFile>* trace);

// Why `command` does not start, naming the one USB serial device `candidate` the user
// may give with --port: `portName` is empty when --port is missing, else a COM name
// whose device `missingDevice` is not there. Empty when there is no candidate and
// --port was given.
QString PortRefusal(const QString& command, const QString& portName,
                    const QString& missingDevice, const DetectedPort* candidate);

// Whether `stream` (stdin, stderr) is a terminal: the progress bar is drawn there, and a
// question is asked only there.
bool IsTerminal(std::FILE* stream);

// "Reading [#########           ]  45%" redrawn in place on standard error, only when
// standard error is a terminal and --quiet was not given: a log or a pipe gets nothing
// per block, only the result.
class ProgressBar {
public:
    ProgressBar(const char* verb, const QCommandLineParser& parser);
    void draw(int done, int total);
    // A failure's message starts on a line of its own (once, however often it is called).
    void endLine();

private:
    const char* m_verb;
    bool m_shown;
    int m_percent = -1;
};

// Ctrl+C of the commands that talk to a radio. After CatchInterrupt() the first Ctrl+C
// only sets a flag, which the exchanges see at their cancel points (clone sees it after
// the radio in hand), so that the command can say how far it got; a second one ends
// chprog at once, as Ctrl+C does by default.
void CatchInterrupt();
bool InterruptRequested();
// The same, except that a second Ctrl+C sets a second flag instead of ending chprog: a
// command running several exchanges at once stops them all at their next cancel point
// and says which radios may be half written. A third one ends chprog.
void CatchRepeatedInterrupt();
bool StopAtOnceRequested();

// The command line has no one to ask: a failed handshake ends the exchange. The
// exchange stops at its next cancel point once InterruptRequested().
ExchangeCallbacks CommandLineCallbacks(ProgressBar& bar);

// 0 on success; otherwise prints the exchange's message and returns 1.
int ReportOutcome(const ExchangeOutcome& outcome, ProgressBar& bar);

// Whether a backup that repeats the radio's newest one is named on standard error
// (clone reads the radio on the cable again and again, and stays quiet about it).
enum class RepeatedBackups { Named, Quiet };
// Named, unless --quiet was given.
RepeatedBackups RepeatsNamed(const QCommandLineParser& parser);

// --force of write and clone: write a radio whose model or band differs from the image's.
QCommandLineOption ForceOption(const QString& description);

// What differs between the radio and the image it is refused, in the model and band texts
// of Program.ini at `iniPath`: "band 400 - 470MHz, image is for 136 - 174MHz".
QString WrongTargetText(const WriteTargetCheck& check, const QString& iniPath);
// The warning line of an identity block that differs (the image's is written), naming
// both as hex bytes.
QString IdentityWarning(const RadioImage& radio, const RadioImage& image);

// Keeps `image` in the backups folder named by the Program.ini at `iniPath` (KeepBackup
// of files/Backups.h). A backup that cannot be saved is only a warning on standard error;
// what the keeper did besides saving is a note there. Returns the backup holding the
// image (empty when none could be kept).
QString BackUp(const RadioImage& image, BackupKind kind, const QString& iniPath,
            RepeatedBackups repeated = RepeatedBackups::Named);
