#include "cli/CloneStation.h"

#include "cli/CliSupport.h"
#include "cli/LinkSupport.h"

#include <cstdio>

namespace {

QString Seconds(qint64 ms) {
    return QString::number(ms / 1000.0, 'f', 1);
}

void Ring() {
    std::fputc('\a', stderr);
    std::fflush(stderr);
}

} // namespace

CloneStation::CloneStation(const CloneSettings& settings, bool prefixed)
    : m_settings(settings), m_prefixed(prefixed) {}

void CloneStation::print(const QString& port, const QString& text, bool error) {
    const QString line = m_prefixed && !port.isEmpty() ? port + QStringLiteral(": ") + text : text;
    const QMutexLocker lock(&m_mutex);
    if (error)
        PrintError(line);
    else
        PrintOut(line + u'\n');
}

void CloneStation::radioEnded(const QString& port, const RadioReport& report) {
    using End = RadioReport::End;
    switch (report.end) {
    case End::AlreadyProgrammed:
        print(port, QStringLiteral("radio already programmed"), false);
        return;
    case End::Skipped:
        print(port, QStringLiteral("radio %1: skipped: wrong target: %2")
                        .arg(report.number)
                        .arg(WrongTargetText(report.target, m_settings.iniPath)),
              false);
        return;
    case End::Programmed:
        print(port, QStringLiteral("radio %1: %2 in %3 s")
                        .arg(report.number)
                        .arg(report.verified ? QStringLiteral("written and verified")
                                             : QStringLiteral("written"),
                             Seconds(report.durationMs)),
              false);
        break;
    case End::Failed:
        print(port, QStringLiteral("radio %1: %2").arg(report.number).arg(FailureText(report)), false);
        break;
    }
    Ring();
}

void CloneStation::warning(const QString& port, const StationWarning& warning) {
    using Kind = StationWarning::Kind;
    const QString portProblem = warning.message + QStringLiteral(" (") + warning.detail + u')';
    switch (warning.kind) {
    case Kind::PortNotOpened:
        print(port, portProblem + QStringLiteral("; trying again"), true);
        return;
    case Kind::PortLost:
        print(port, portProblem + QStringLiteral("; this port stops, the others go on"), true);
        return;
    case Kind::ReadBrokeOff:
        print(port,
              QStringLiteral("a radio broke off while being read (%1); trying again")
                  .arg(warning.message),
              true);
        return;
    case Kind::ForcedWrongTarget:
        print(port,
              QStringLiteral("warning: wrong target, written anyway (--force): ") +
                  WrongTargetText(warning.target, m_settings.iniPath),
              true);
        return;
    case Kind::IdentityDiffers:
        print(port, IdentityWarning(warning.radio, m_settings.image), true);
        return;
    case Kind::LogFailed:
        print(port, warning.message + QStringLiteral("; no new radio is started"), true);
        return;
    // The backups folder is the station's, not a port's: these lines name no port.
    case Kind::NoBackup:
        print(QString(), QStringLiteral("warning: no backup kept (%1)").arg(warning.message), true);
        return;
    case Kind::BackupNote:
        print(QString(), QStringLiteral("note: ") + warning.message, true);
        return;
    }
}
