// chprog clone: programs radio after radio with one image, with no key press between
// radios, on one cable or on several at once (a worker per cable, link/FleetStation.h;
// its lines are cli/CloneStation.h).
// Each poll is a whole read (its handshake tells whether a radio is there), so a radio
// that answers is read once and that read is its backup. A radio that already holds the
// image where the write covers it is left alone: that is also how the radio just
// programmed, still connected, is recognised.

#include "cli/CliSupport.h"
#include "cli/CloneStation.h"
#include "cli/Commands.h"
#include "cli/LinkSupport.h"
#include "cli/StationLog.h"
#include "cli/WritePreview.h"
#include "link/ProgrammingExchange.h"
#include "radio/ChannelCodec.h"
#include "radio/MessageText.h"

#include <QThread>
#include <memory>
#include <vector>

namespace {

QString TallyText(int programmed, int failed, int skipped) {
    const QString skips = skipped > 0 ? QStringLiteral(", skipped %1").arg(skipped) : QString();
    return QStringLiteral("programmed %1, failed %2%3").arg(programmed).arg(failed).arg(skips);
}

// Runs the workers, each on a thread of its own, until every one has ended.
void RunConcurrently(const std::vector<std::unique_ptr<PortWorker>>& workers) {
    std::vector<std::unique_ptr<QThread>> threads;
    for (const std::unique_ptr<PortWorker>& worker : workers) {
        PortWorker* running = worker.get();
        threads.emplace_back(QThread::create([running] { running->run(); }));
        threads.back()->start();
    }
    for (const std::unique_ptr<QThread>& thread : threads)
        thread->wait();
}

// One line per port and one for all; the radios a second Ctrl+C cut short are named.
// Exit status 0 only when every radio started was written (and verified), no port was
// lost and the log was written.
int ReportFleet(const std::vector<std::unique_ptr<PortWorker>>& workers, const Station& station) {
    PortTally all;
    QStringList halfWritten;
    for (const std::unique_ptr<PortWorker>& worker : workers) {
        const PortTally& tally = worker->tally();
        PrintOut(worker->device() + QStringLiteral(": ") +
                 TallyText(tally.programmed, tally.failed, tally.skipped) +
                 (tally.portLost ? QStringLiteral(" (port lost)") : QString()) + u'\n');
        all.programmed += tally.programmed;
        all.failed += tally.failed;
        all.skipped += tally.skipped;
        all.portLost = all.portLost || tally.portLost;
        if (tally.halfWritten > 0)
            halfWritten << QStringLiteral("radio %1 on %2").arg(tally.halfWritten).arg(worker->device());
    }
    PrintOut(QStringLiteral("all ports: ") + TallyText(all.programmed, all.failed, all.skipped) +
             u'\n');
    if (!halfWritten.isEmpty())
        PrintError(QStringLiteral("stopped at once; may be half written: ") +
                   halfWritten.join(QStringLiteral(", ")));
    const bool clean = all.failed == 0 && !all.portLost && !station.logFailed();
    return clean ? kExitOk : kExitFailure;
}

int RunStation(CloneSettings& settings, const QStringList& devices, StationLog& log) {
    const bool fleet = devices.size() > 1;
    settings.stopRequested = InterruptRequested;
    settings.stopAtOnce = StopAtOnceRequested;
    CloneStation printer(settings, fleet);
    Station station(settings, log, printer);
    std::vector<std::unique_ptr<PortWorker>> workers;
    for (const QString& device : devices)
        workers.push_back(std::make_unique<PortWorker>(station, device, fleet));
    if (!fleet) {
        // One cable: the first Ctrl+C ends the run after the radio in hand, as it always
        // did, and the summary is the one line it always was.
        CatchInterrupt();
        workers.front()->run();
        const PortTally& tally = workers.front()->tally();
        PrintOut(TallyText(tally.programmed, tally.failed, tally.skipped) + u'\n');
        return tally.failed == 0 && !station.logFailed() ? kExitOk : kExitFailure;
    }
    // Several: the first Ctrl+C lets every port finish the radio in hand, a second one
    // stops them all at their next cancel point.
    CatchRepeatedInterrupt();
    RunConcurrently(workers);
    return ReportFleet(workers, station);
}

bool ParseCount(const QCommandLineParser& parser, int* count) {
    if (!parser.isSet(QStringLiteral("count")))
        return true;
    bool isNumber = false;
    *count = parser.value(QStringLiteral("count")).toInt(&isNumber);
    if (isNumber && *count >= 1)
        return true;
    PrintError(QStringLiteral("--count: \"%1\" is not a number of radios (1 or more)")
                   .arg(ShortenedForMessage(parser.value(QStringLiteral("count")))));
    return false;
}

} // namespace

int RunClone(const QStringList& arguments) {
    QCommandLineParser parser;
    const QCommandLineOption count(QStringLiteral("count"),
                                   QStringLiteral("Stop after N programmed radios over every port "
                                                  "(default: at Ctrl+C)."),
                                   QStringLiteral("N"));
    const QCommandLineOption alignment(QStringLiteral("alignment"),
                                       QStringLiteral("Also write the factory block and the power "
                                                      "and squelch calibration."));
    const QCommandLineOption noVerify(QStringLiteral("no-verify"),
                                      QStringLiteral("Do not read each radio back after writing."));
    const QCommandLineOption force = ForceOption(
        QStringLiteral("Also write a radio whose model or band differs from the image's (else it "
                       "is skipped)."));
    parser.addOptions({PortOption(), PortsOption(), TraceOption(), count, alignment, noVerify, force});
    AddLogOptions(parser);
    AddConfigOption(parser);
    parser.addPositionalArgument(QStringLiteral("FILE.dat"), QStringLiteral("The image to write."));
    int exitCode = kExitOk;
    if (!ParseCommand(
            parser, arguments,
            QStringLiteral("Programs radio after radio with the same image, on one cable or on "
                           "several at once (--port as often as there are cables). Connect a "
                           "radio and it is read (its backup), written unless it already "
                           "holds the image or is another model or band, and read back; one "
                           "line per radio, prefixed with its port when there are several. "
                           "Stops after --count programmed radios (over every port) or at "
                           "Ctrl+C, prints a summary (per port and for all) and exits 0 only "
                           "when every radio written succeeded. With several ports the first "
                           "Ctrl+C lets each finish the radio in hand and a second one stops "
                           "at once, naming the radios that may be half written; a port that "
                           "cannot be opened ends, the others go on."),
            &exitCode))
        return exitCode;
    CloneSettings settings;
    QStringList devices;
    if (!TakeDevices(QStringLiteral("clone"), parser, &devices, &settings.trace) ||
        !ParseCount(parser, &settings.count))
        return kExitBadInput;
    if (parser.positionalArguments().size() != 1) {
        PrintError(QStringLiteral("clone: use chprog clone --port DEVICE FILE.dat [--count N]"));
        return kExitBadInput;
    }
    if (!LoadImage(parser.positionalArguments().first(), &settings.image, &exitCode))
        return exitCode;
    StationLog log;
    if (!log.open(parser, settings.image))
        return kExitBadInput;
    settings.iniPath = ConfigIniPath(parser);
    WarnFrequencyFaults(settings.image, settings.iniPath);
    ClampCalibration(settings.image); // as every write does, so that the comparisons hold
    settings.alignment = parser.isSet(alignment);
    settings.verify = !parser.isSet(noVerify);
    settings.force = parser.isSet(force);
    return RunStation(settings, devices, log);
}
