#include "LinkSupport.h"

#include "AppConfig.h"
#include "CliSupport.h"
#include "PortNames.h"
#include "SerialTrace.h"
#include "UserStore.h"

#include <cstdio>
#include <string>

namespace {

constexpr int kBarWidth = 40;

} // namespace

QCommandLineOption PortOption() {
    return QCommandLineOption(QStringLiteral("port"),
                              QStringLiteral("The serial device (/dev/ttyUSB0, a simulator's link) "
                                             "or COM1..COM4 (mapped by the Ports section of "
                                             "Program.ini)."),
                              QStringLiteral("DEVICE"));
}

QCommandLineOption ConfigOption() {
    return QCommandLineOption(QStringLiteral("config"),
                              QStringLiteral("The folder of Program.ini (default: the program's "
                                             "own folder)."),
                              QStringLiteral("DIR"));
}

QCommandLineOption TraceOption() {
    return QCommandLineOption(QStringLiteral("trace"),
                              QStringLiteral("Append every byte sent and received, time-stamped, "
                                             "to FILE (for bug reports)."),
                              QStringLiteral("FILE"));
}

bool TakeDevice(const QCommandLineParser& parser, QString* device) {
    if (!parser.isSet(QStringLiteral("port"))) {
        PrintError(QStringLiteral("%1: --port DEVICE is required")
                       .arg(parser.positionalArguments().value(0)));
        return false;
    }
    if (parser.value(QStringLiteral("port")).trimmed().isEmpty()) {
        PrintError(QStringLiteral("%1: no port was given: --port needs a device or a COM name")
                       .arg(parser.positionalArguments().value(0)));
        return false;
    }
    appConfig().iniFilePath = ConfigIniPath(parser);
    *device = PortDevice(parser.value(QStringLiteral("port")));
    if (parser.isSet(QStringLiteral("trace"))) {
        appConfig().tracePath = parser.value(QStringLiteral("trace"));
        QString error;
        if (!RunTrace(&error)) {
            PrintError(error);
            return false;
        }
    }
    return true;
}

void DrawProgress(const char* verb, int done, int total) {
    static int shownPercent = -1;
    const int percent = total > 0 ? done * 100 / total : 0;
    if (percent == shownPercent && done != 0)
        return;
    shownPercent = percent;
    const int filled = total > 0 ? done * kBarWidth / total : 0;
    const std::string bar = std::string(filled, '#') + std::string(kBarWidth - filled, ' ');
    std::fprintf(stderr, "\r%s [%s] %3d%%", verb, bar.c_str(), percent);
    if (done == total)
        std::fputc('\n', stderr);
    std::fflush(stderr);
}

ExchangeCallbacks CommandLineCallbacks(const char* verb) {
    ExchangeCallbacks callbacks;
    callbacks.progress = [verb](int done, int total) { DrawProgress(verb, done, total); };
    callbacks.isCancelled = [] { return false; };
    callbacks.askRetry = [] { return false; };
    return callbacks;
}

int ReportOutcome(const ExchangeOutcome& outcome) {
    if (outcome.succeeded())
        return kExitOk;
    std::fputc('\n', stderr);
    PrintError(outcome.message);
    if (!outcome.portDetail.isEmpty())
        PrintError(outcome.portDetail);
    return kExitFailure;
}

void KeepBackup(const RadioImage& image, BackupKind kind) {
    const QString folder = BackupFolder(UserStore(appConfig().iniFilePath).appName());
    QString error;
    if (SaveBackup(folder, image, kind, QDateTime::currentDateTime(), &error).isEmpty())
        PrintError(QStringLiteral("warning: no backup kept (%1)").arg(error));
}
