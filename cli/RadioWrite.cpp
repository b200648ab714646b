#include "cli/RadioWrite.h"

#include "cli/CliSupport.h"
#include "cli/LinkSupport.h"
#include "cli/WritePreview.h"
#include "link/ProgrammingExchange.h"

namespace {

// The read back's messages: write's name the option that asked for it.
QString VerifyName(const QString& command) {
    return command == QLatin1String("write") ? QStringLiteral("write --verify") : command;
}

// Reads the written blocks back; a block that differs, or a read back that fails, ends
// the command with a failure.
int VerifyWrite(const QString& command, const WriteJob& job, const QCommandLineParser& parser) {
    ProgressBar bar("Verifying", parser);
    ProgrammingExchange exchange(job.link, CommandLineCallbacks(bar));
    int firstDifference = -1;
    const ExchangeOutcome outcome = exchange.verify(
        job.device, job.image, parser.isSet(QStringLiteral("alignment")), &firstDifference);
    if (!outcome.succeeded()) {
        bar.endLine();
        PrintError(VerifyName(command) + QStringLiteral(": the written blocks could not be read back"));
        return ReportOutcome(outcome, bar);
    }
    if (firstDifference < 0)
        return kExitOk;
    PrintError(VerifyName(command) +
               QStringLiteral(": the radio does not hold what was written, first at address 0x%1")
                   .arg(QString::number(firstDifference, 16).toUpper().rightJustified(3, u'0')));
    return kExitFailure;
}

// Ctrl+C during a write: the exchange stopped at its next cancel point, which may have
// come after the last block. Either way the user learns which it was.
int ReportInterruptedWrite(const QString& command, const ExchangeOutcome& outcome,
                           ProgressBar& bar) {
    bar.endLine();
    if (outcome.succeeded()) {
        PrintError(command + QStringLiteral(": interrupted, but the write had finished (nothing "
                                            "was read back)"));
        return kExitOk;
    }
    if (outcome.result == ExchangeResult::Cancelled) {
        PrintError(command + (outcome.partlyWritten
                                  ? QStringLiteral(": interrupted: the write was abandoned part way")
                                  : QStringLiteral(": interrupted before anything was written")));
    }
    return ReportOutcome(outcome, bar);
}

// The changes, and the answer to the question. False (said in `record`) when nothing is
// to be written: the radio holds the image already (exit 0) or the answer was no (exit 1).
bool ChangesConfirmed(const QString& command, const WriteJob& job,
                      const QCommandLineParser& parser, ProgrammingRecord* record, int* exitCode) {
    const Confirmation answer =
        ConfirmChanges(job.held, job.image, parser.isSet(QStringLiteral("alignment")),
                       parser.isSet(QStringLiteral("yes")), ConfigIniPath(parser));
    if (answer == Confirmation::Write)
        return true;
    if (answer == Confirmation::NothingToChange) {
        record->result = ProgrammingResult::AlreadyProgrammed;
        *exitCode = kExitOk;
        return false;
    }
    PrintError(command + QStringLiteral(": nothing was written"));
    *exitCode = Failed(record, QStringLiteral("not confirmed"), kExitFailure);
    return false;
}

} // namespace

int Failed(ProgrammingRecord* record, const QString& failure, int status) {
    record->result = ProgrammingResult::Failed;
    record->failure = failure;
    return status;
}

int WriteToRadio(const QString& command, const WriteJob& job, WriteSteps steps,
                 const QCommandLineParser& parser, ProgrammingRecord* record) {
    int exitCode = kExitOk;
    if (steps.preview && !ChangesConfirmed(command, job, parser, record, &exitCode))
        return exitCode;
    BackUp(job.image, BackupKind::Write, ConfigIniPath(parser), RepeatsNamed(parser));
    ProgressBar bar("Writing", parser);
    ProgrammingExchange exchange(job.link, CommandLineCallbacks(bar));
    const ExchangeOutcome outcome =
        exchange.write(job.device, job.image, parser.isSet(QStringLiteral("alignment")));
    if (InterruptRequested()) {
        const int status = ReportInterruptedWrite(command, outcome, bar);
        if (status == kExitOk)
            record->result = ProgrammingResult::Written;
        return status == kExitOk ? status : Failed(record, FailureOf(outcome), status);
    }
    if (!outcome.succeeded())
        return Failed(record, FailureOf(outcome), ReportOutcome(outcome, bar));
    if (!steps.verify) {
        record->result = ProgrammingResult::Written;
        return kExitOk;
    }
    const int status = VerifyWrite(command, job, parser);
    if (status != kExitOk)
        return Failed(record, QStringLiteral("verify failed"), status);
    record->result = ProgrammingResult::WrittenVerified;
    return status;
}
