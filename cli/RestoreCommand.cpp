// chprog restore: a backup written back to the radio it was read from, after a look at
// what it changes, and read back.
//
// Which backup: the radio is read, and the reads of it taken before a write are walked
// newest first (PreWriteReads of files/Backups.h): --last takes the first, --before-write N
// the Nth.

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/LinkSupport.h"
#include "cli/RadioWrite.h"
#include "cli/WritePreview.h"
#include "config/UserStore.h"
#include "files/DatFile.h"
#include "radio/ChannelCodec.h"
#include "radio/MessageText.h"

#include <vector>

namespace {

const QString kCommand = QStringLiteral("restore");

// The backup --last or --before-write N means (1 for --last), said on standard output.
bool ChooseBackup(const QString& folder, const RadioImage& held, int writesBack,
                  RadioImage* backup) {
    const std::vector<BackupEntry> reads = PreWriteReads(folder, held);
    if (reads.empty()) {
        PrintError(QStringLiteral("restore: there is no backup of this radio (%1) from before a "
                                  "write in %2; nothing was written")
                       .arg(RadioLabel(held), folder));
        return false;
    }
    if (writesBack > static_cast<int>(reads.size())) {
        PrintError(QStringLiteral("restore: --before-write %1: this radio (%2) has backups from "
                                  "before %3 write(s) only; nothing was written")
                       .arg(writesBack)
                       .arg(RadioLabel(held))
                       .arg(reads.size()));
        return false;
    }
    const BackupEntry& chosen = reads[static_cast<std::size_t>(writesBack - 1)];
    int unreadable = kExitOk;
    if (!LoadImage(chosen.path, backup, &unreadable)) // removed meanwhile: said by LoadImage
        return false;
    PrintOut(QStringLiteral("restoring %1 (read %2, before the last %3)\n")
                 .arg(chosen.path, chosen.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                      writesBack == 1 ? QStringLiteral("write")
                                      : QStringLiteral("%1 writes").arg(writesBack)));
    return true;
}

// A backup file given by name that another radio's read: its model and band must be the
// radio's, as for every write.
bool AcceptsGivenBackup(const QString& path, const RadioImage& held, const RadioImage& backup,
                        const QString& iniPath) {
    if (RadioOwnBytes(backup) == RadioOwnBytes(held))
        return true;
    PrintError(QStringLiteral("warning: %1 was not read from this radio (its own bytes differ)")
                   .arg(path));
    const WriteTargetCheck target = CheckWriteTarget(held, backup);
    if (!target.refusesWrite())
        return true;
    PrintError(QStringLiteral("restore: wrong target: %1; nothing was written")
                   .arg(WrongTargetText(target, iniPath)));
    return false;
}

bool ReadRadio(SerialLink& link, const QString& device, const QCommandLineParser& parser,
               RadioImage* held) {
    ProgressBar bar("Reading", parser);
    ProgrammingExchange exchange(link, CommandLineCallbacks(bar));
    const ExchangeOutcome outcome = exchange.read(device, *held);
    if (!outcome.succeeded()) {
        ReportOutcome(outcome, bar);
        PrintError(QStringLiteral("restore: the radio could not be read; nothing was written"));
        return false;
    }
    BackUp(*held, BackupKind::Read, ConfigIniPath(parser), RepeatsNamed(parser));
    return true;
}

// --before-write N (1 for --last and by default); 0 after a message when N is no number.
int WritesBack(const QCommandLineParser& parser) {
    if (!parser.isSet(QStringLiteral("before-write")))
        return 1;
    bool isNumber = false;
    const int writes = parser.value(QStringLiteral("before-write")).toInt(&isNumber);
    if (isNumber && writes >= 1)
        return writes;
    PrintError(QStringLiteral("--before-write: \"%1\" is not a number of writes (1 or more)")
                   .arg(ShortenedForMessage(parser.value(QStringLiteral("before-write")))));
    return 0;
}

void AddRestoreOptions(QCommandLineParser& parser) {
    using Option = QCommandLineOption;
    parser.addOptions(
        {PortOption(), TraceOption(), QuietOption(), YesOption(),
         Option(QStringLiteral("last"),
                QStringLiteral("Write back what the radio held before its last write (the "
                               "default).")),
         Option(QStringLiteral("before-write"),
                QStringLiteral("Write back what the radio held before its Nth last write."),
                QStringLiteral("N")),
         Option(QStringLiteral("alignment"),
                QStringLiteral("Also write the factory block and the power and squelch "
                               "calibration of the backup."))});
    AddConfigOption(parser);
    parser.addPositionalArgument(QStringLiteral("BACKUP.dat"),
                                 QStringLiteral("The backup to write (default: --last)."),
                                 QStringLiteral("[BACKUP.dat]"));
}

} // namespace

int RunRestore(const QStringList& arguments) {
    QCommandLineParser parser;
    AddRestoreOptions(parser);
    int exitCode = kExitOk;
    if (!ParseCommand(
            parser, arguments,
            QStringLiteral("Writes a backup back to the radio and reads it back. Without "
                           "BACKUP.dat the radio is read and its own backups are searched: "
                           "--last (the default) takes what it held before its last write, "
                           "--before-write N before its Nth last one. The backup chosen and its "
                           "changes (the lines of chprog diff RADIO BACKUP) are printed, and the "
                           "write waits for a yes on the terminal; --yes gives it at once."),
            &exitCode))
        return exitCode;
    RadioPort port;
    if (!TakeDevice(parser, &port))
        return kExitBadInput;
    const QStringList files = parser.positionalArguments();
    const int choices = static_cast<int>(files.size()) + parser.isSet(QStringLiteral("last")) +
                        parser.isSet(QStringLiteral("before-write"));
    if (files.size() > 1 || choices > 1) {
        PrintError(QStringLiteral("restore: use chprog restore --port DEVICE [BACKUP.dat | --last "
                                  "| --before-write N] [--yes]"));
        return kExitBadInput;
    }
    const int writesBack = WritesBack(parser);
    RadioImage backup;
    if (writesBack == 0 || (!files.isEmpty() && !LoadImage(files.first(), &backup, &exitCode)) ||
        !CanConfirm(kCommand, parser))
        return kExitBadInput;

    const std::unique_ptr<SerialLink> link = port.newLink();
    CatchInterrupt();
    RadioImage held = NewImage();
    if (!ReadRadio(*link, port.device, parser, &held))
        return kExitFailure;
    const QString iniPath = ConfigIniPath(parser);
    if (files.isEmpty() &&
        !ChooseBackup(BackupFolder(UserStore(iniPath).appName()), held, writesBack, &backup))
        return kExitBadInput;
    if (!files.isEmpty() && !AcceptsGivenBackup(files.first(), held, backup, iniPath))
        return kExitFailure;
    ClampCalibration(backup); // as every write does
    ProgrammingRecord record;
    return WriteToRadio(kCommand, {*link, port.device, held, backup}, WriteSteps{true, true},
                        parser, &record);
}
