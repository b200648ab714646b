#include "cli/LinkSupport.h"

#include "cli/CliSupport.h"
#include "link/PortNames.h"
#include "config/ProductCatalog.h"
#include "config/UserStore.h"

#include <QFileInfo>
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

// Set by the signal handlers; lock-free, so reading them there is safe.
std::atomic<bool> g_interruptRequested{false};
std::atomic<bool> g_stopAtOnce{false};

void OnInterrupt(int) {
    g_interruptRequested = true;
    std::signal(SIGINT, SIG_DFL);
}

// The first Ctrl+C asks for the end after the radios in hand, the second for the end now;
// a third one ends chprog as Ctrl+C does by default.
void OnRepeatedInterrupt(int) {
    if (g_interruptRequested) {
        g_stopAtOnce = true;
        std::signal(SIGINT, SIG_DFL);
    }
    g_interruptRequested = true;
}

QString HexBytes(const RadioImage& image, int first, int count) {
    return QByteArray(reinterpret_cast<const char*>(image.data()) + first, count)
        .toHex(' ')
        .toUpper();
}

} // namespace

bool IsTerminal(std::FILE* stream) {
#ifdef Q_OS_WIN
    return _isatty(_fileno(stream)) != 0;
#else
    return isatty(fileno(stream)) != 0;
#endif
}

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

namespace {

// The device `portName` opens (see TakeDevice); false after the refusal.
bool DeviceOfPort(const QString& command, const QString& portName, const QString& iniPath,
                  QString* device) {
    if (portName.trimmed().isEmpty()) {
        PrintError(QStringLiteral("%1: no port was given: --port needs a device or a COM name")
                       .arg(command));
        return false;
    }
    const ExchangeDevice chosen = DeviceForExchange(portName, iniPath);
    if (chosen.standIn) {
        PrintError(PortRefusal(command, portName, chosen.device, &*chosen.standIn));
        return false;
    }
    *device = chosen.device;
    return true;
}

bool OpenTrace(const QCommandLineParser& parser, std::shared_ptr<TraceFile>* trace) {
    if (!parser.isSet(QStringLiteral("trace")))
        return true;
    *trace = std::make_shared<TraceFile>(
        parser.value(QStringLiteral("trace")),
        [](const QString& message) { PrintError(QStringLiteral("warning: ") + message); });
    QString error;
    if ((*trace)->open(&error))
        return true;
    PrintError(error);
    return false;
}

// Two names of one device (a symbolic link and its target) are one port.
QString CanonicalDevice(const QString& device) {
    const QString canonical = QFileInfo(device).canonicalFilePath();
    return canonical.isEmpty() ? device : canonical;
}

// --ports auto: every USB serial device, named on standard error.
bool AutoPorts(const QString& command, QStringList* names) {
    for (const DetectedPort& port : DetectedPorts()) {
        if (port.isUsb)
            *names << port.device;
    }
    if (names->isEmpty()) {
        PrintError(QStringLiteral("%1: --ports auto: no USB serial device is plugged in (see "
                                  "chprog ports)")
                       .arg(command));
        return false;
    }
    PrintError(QStringLiteral("%1: --ports auto takes %2").arg(command, names->join(QStringLiteral(", "))));
    return true;
}

} // namespace

bool TakeDevice(const QCommandLineParser& parser, RadioPort* port) {
    const QString command = parser.positionalArguments().value(0);
    if (!parser.isSet(QStringLiteral("port"))) {
        PrintError(PortRefusal(command, QString(), QString(), OnlyUsbPort(DetectedPorts())));
        return false;
    }
    return DeviceOfPort(command, parser.value(QStringLiteral("port")), ConfigIniPath(parser),
                        &port->device) &&
           OpenTrace(parser, &port->trace);
}

QCommandLineOption PortsOption() {
    return QCommandLineOption(QStringLiteral("ports"),
                              QStringLiteral("auto: one port for every USB serial device chprog "
                                             "ports lists (named on standard error)."),
                              QStringLiteral("auto"));
}

bool TakeDevices(const QString& command, const QCommandLineParser& parser, QStringList* devices,
                 std::shared_ptr<TraceFile>* trace) {
    QStringList names = parser.values(QStringLiteral("port"));
    if (parser.isSet(QStringLiteral("ports"))) {
        if (parser.value(QStringLiteral("ports")) != QLatin1String("auto")) {
            PrintError(QStringLiteral("%1: --ports takes only auto; name devices with --port")
                           .arg(command));
            return false;
        }
        if (!AutoPorts(command, &names))
            return false;
    }
    if (names.isEmpty()) {
        PrintError(PortRefusal(command, QString(), QString(), OnlyUsbPort(DetectedPorts())));
        return false;
    }
    const QString iniPath = ConfigIniPath(parser);
    QStringList canonical;
    for (const QString& name : names) {
        QString device;
        if (!DeviceOfPort(command, name, iniPath, &device))
            return false;
        const int earlier = static_cast<int>(canonical.indexOf(CanonicalDevice(device)));
        if (earlier >= 0) {
            PrintError(QStringLiteral("%1: %2 is given twice (as %3 and as %4): one worker per "
                                      "cable")
                           .arg(command, device, names[earlier], name));
            return false;
        }
        canonical << CanonicalDevice(device);
        *devices << device;
    }
    return OpenTrace(parser, trace);
}

ProgressBar::ProgressBar(const char* verb, const QCommandLineParser& parser)
    : m_verb(verb), m_shown(!parser.isSet(QStringLiteral("quiet")) && IsTerminal(stderr)) {}

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

void CatchRepeatedInterrupt() {
    g_interruptRequested = false;
    g_stopAtOnce = false;
    std::signal(SIGINT, OnRepeatedInterrupt);
}

bool InterruptRequested() {
    return g_interruptRequested.load();
}

bool StopAtOnceRequested() {
    return g_stopAtOnce.load();
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

QString BackUp(const RadioImage& image, BackupKind kind, const QString& iniPath,
               RepeatedBackups repeated) {
    const KeptBackup kept = KeepBackup(BackupFolder(UserStore(iniPath).appName()), image, kind,
                                       QDateTime::currentDateTime());
    if (!kept.error.isEmpty())
        PrintError(QStringLiteral("warning: no backup kept (%1)").arg(kept.error));
    else if (!kept.note().isEmpty() && !(kept.repeated && repeated == RepeatedBackups::Quiet))
        PrintError(QStringLiteral("note: ") + kept.note());
    return kept.path;
}

QCommandLineOption ForceOption(const QString& description) {
    return QCommandLineOption(QStringLiteral("force"), description);
}

QString WrongTargetText(const WriteTargetCheck& check, const QString& iniPath) {
    QStringList parts;
    if (check.modelDiffers)
        parts << QStringLiteral("model %1, image is for %2")
                     .arg(ModelName(iniPath, check.radioModel), ModelName(iniPath, check.imageModel));
    if (check.bandDiffers) {
        QString radioBand = BandName(iniPath, check.radioModel, check.radioBand);
        QString imageBand = BandName(iniPath, check.imageModel, check.imageBand);
        if (radioBand == imageBand) { // two positions past the end of one list
            radioBand += QStringLiteral(" (#%1)").arg(check.radioBand);
            imageBand += QStringLiteral(" (#%1)").arg(check.imageBand);
        }
        parts << QStringLiteral("band %1, image is for %2").arg(radioBand, imageBand);
    }
    return parts.join(QStringLiteral("; "));
}

QString IdentityWarning(const RadioImage& radio, const RadioImage& image) {
    using ImageMap::kIdentityBlock;
    using ImageMap::kIdentityBlockSize;
    return QStringLiteral("warning: the radio's identity block 0x%1-0x%2 (%3) differs from the "
                          "image's (%4), which is written")
        .arg(QString::number(kIdentityBlock, 16).toUpper(),
             QString::number(kIdentityBlock + kIdentityBlockSize - 1, 16).toUpper(),
             HexBytes(radio, kIdentityBlock, kIdentityBlockSize),
             HexBytes(image, kIdentityBlock, kIdentityBlockSize));
}
