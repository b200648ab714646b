#include "cli/LinkSupport.h"

#include "cli/CliSupport.h"
#include "link/PortNames.h"
#include "config/UserStore.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <string>
#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

constexpr int kBarWidth = 40;

// Set by the signal handler; lock-free, so reading it there is safe.
std::atomic<bool> g_interruptRequested{false};

void OnInterrupt(int) {
    g_interruptRequested = true;
    std::signal(SIGINT, SIG_DFL);
}

bool StandardErrorIsTerminal() {
#ifdef Q_OS_WIN
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(fileno(stderr)) != 0;
#endif
}

} // namespace

QCommandLineOption PortOption() {
    return QCommandLineOption(QStringLiteral("port"),
                              QStringLiteral("The serial device (/dev/ttyUSB0, a simulator's link) "
                                             "or COM1..COM4 (mapped by the Ports section of "
                                             "Program.ini)."),
                              QStringLiteral("DEVICE"));
}

QCommandLineOption QuietOption() {
    return QCommandLineOption(QStringList{QStringLiteral("q"), QStringLiteral("quiet")},
                              QStringLiteral("Draws no progress bar and names no backup that "
                                             "already holds the image."));
}

QCommandLineOption TraceOption() {
    return QCommandLineOption(QStringLiteral("trace"),
                              QStringLiteral("Append every byte sent and received, time-stamped, "
                                             "to FILE (for bug reports)."),
                              QStringLiteral("FILE"));
}

QString PortRefusal(const QString& command, const QString& portName, const QString& missingDevice,
                    const DetectedPort* candidate) {
    const QString use =
        candidate ? QStringLiteral("; the one USB serial device is %1: give it with --port %2")
                        .arg(candidate->label(), candidate->device)
                  : QString();
    if (portName.isEmpty())
        return QStringLiteral("%1: --port DEVICE is required%2").arg(command, use);
    if (!candidate)
        return QString();
    return QStringLiteral("%1: %2 stands for %3, which is not there%4")
        .arg(command, portName, missingDevice, use);
}

bool TakeDevice(const QCommandLineParser& parser, RadioPort* port) {
    const QString command = parser.positionalArguments().value(0);
    if (!parser.isSet(QStringLiteral("port"))) {
        PrintError(PortRefusal(command, QString(), QString(), OnlyUsbPort(DetectedPorts())));
        return false;
    }
    const QString portName = parser.value(QStringLiteral("port"));
    if (portName.trimmed().isEmpty()) {
        PrintError(QStringLiteral("%1: no port was given: --port needs a device or a COM name")
                       .arg(command));
        return false;
    }
    const ExchangeDevice chosen = DeviceForExchange(portName, ConfigIniPath(parser));
    if (chosen.standIn) {
        PrintError(PortRefusal(command, portName, chosen.device, &*chosen.standIn));
        return false;
    }
    port->device = chosen.device;
    if (parser.isSet(QStringLiteral("trace"))) {
        port->trace = std::make_shared<TraceFile>(
            parser.value(QStringLiteral("trace")),
            [](const QString& message) { PrintError(QStringLiteral("warning: ") + message); });
        QString error;
        if (!port->trace->open(&error)) {
            PrintError(error);
            return false;
        }
    }
    return true;
}

ProgressBar::ProgressBar(const char* verb, const QCommandLineParser& parser)
    : m_verb(verb), m_shown(!parser.isSet(QStringLiteral("quiet")) && StandardErrorIsTerminal()) {}

void ProgressBar::draw(int done, int total) {
    const int percent = total > 0 ? done * 100 / total : 0;
    if (!m_shown || (percent == m_percent && done != 0))
        return;
    m_percent = percent;
    const int filled = total > 0 ? done * kBarWidth / total : 0;
    const std::string bar = std::string(filled, '#') + std::string(kBarWidth - filled, ' ');
    std::fprintf(stderr, "\r%s [%s] %3d%%", m_verb, bar.c_str(), percent);
    if (done == total)
        std::fputc('\n', stderr);
    std::fflush(stderr);
}

void ProgressBar::endLine() {
    if (m_shown && m_percent < 100)
        std::fputc('\n', stderr);
    m_shown = false;
}

void CatchInterrupt() {
    g_interruptRequested = false;
    std::signal(SIGINT, OnInterrupt);
}

bool InterruptRequested() {
    return g_interruptRequested.load();
}

ExchangeCallbacks CommandLineCallbacks(ProgressBar& bar) {
    ExchangeCallbacks callbacks;
    callbacks.progress = [&bar](int done, int total) { bar.draw(done, total); };
    callbacks.isCancelled = InterruptRequested;
    callbacks.askRetry = [] { return false; };
    return callbacks;
}

int ReportOutcome(const ExchangeOutcome& outcome, ProgressBar& bar) {
    if (outcome.succeeded())
        return kExitOk;
    bar.endLine();
    if (!outcome.message.isEmpty())
        PrintError(outcome.message);
    if (!outcome.portDetail.isEmpty())
        PrintError(outcome.portDetail);
    if (outcome.partlyWritten)
        PrintError(PartialWriteAdvice());
    return kExitFailure;
}

RepeatedBackups RepeatsNamed(const QCommandLineParser& parser) {
    return parser.isSet(QStringLiteral("quiet")) ? RepeatedBackups::Quiet : RepeatedBackups::Named;
}

void BackUp(const RadioImage& image, BackupKind kind, const QString& iniPath,
            RepeatedBackups repeated) {
    const KeptBackup kept = KeepBackup(BackupFolder(UserStore(iniPath).appName()), image, kind,
                                       QDateTime::currentDateTime());
    if (!kept.error.isEmpty())
        PrintError(QStringLiteral("warning: no backup kept (%1)").arg(kept.error));
    else if (!kept.note().isEmpty() && !(kept.repeated && repeated == RepeatedBackups::Quiet))
        PrintError(QStringLiteral("note: ") + kept.note());
}
