#include "link/FleetStation.h"

#include "config/UserStore.h"
#include "files/Backups.h"
#include "link/ProgrammingExchange.h"
#include "link/QtSerialLink.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QThread>
#include <algorithm>

namespace {

constexpr int kPollIntervalMs = 2000;
constexpr int kStopCheckMs = 50;

// Quiet exchanges: one report per radio says what happened; nobody is asked to retry.
ExchangeCallbacks Callbacks(std::function<bool()> isCancelled,
                            std::function<void(int, int)> progress) {
    ExchangeCallbacks callbacks;
    callbacks.isCancelled = std::move(isCancelled);
    callbacks.askRetry = [] { return false; };
    callbacks.progress = std::move(progress);
    return callbacks;
}

// The first address the write covers where `held` differs from `image`, or -1.
int FirstDifference(const RadioImage& held, const RadioImage& image, bool alignment) {
    for (const TransferBlock& block : WritePlan(alignment)) {
        for (int i = block.address; i < block.address + block.length; ++i) {
            if (held[i] != image[i])
                return i;
        }
    }
    return -1;
}

bool Asked(const std::function<bool()>& flag) {
    return flag && flag();
}

} // namespace

QString FailureText(const RadioReport& report) {
    switch (report.failure) {
    case RadioFailure::None:
        return QString();
    case RadioFailure::StoppedPartWay:
        return QStringLiteral("stopped part way: ") + PartialWriteAdvice();
    case RadioFailure::WriteFailed:
        return QStringLiteral("writing failed: ") + report.detail;
    case RadioFailure::StoppedBeforeReadBack:
        return QStringLiteral("written, but stopped before the read back");
    case RadioFailure::VerifyFailed:
        return QStringLiteral("verify failed: ") + report.detail;
    case RadioFailure::VerifyDiffers:
        return QStringLiteral("verify failed: the radio does not hold what was written, first "
                              "at address 0x") +
               QStringLiteral("%1").arg(report.address, 3, 16, QLatin1Char('0')).toUpper();
    }
    return QString();
}

Station::Station(const CloneSettings& settings, FleetLog& log, StationObserver& observer)
    : m_settings(settings), m_log(log), m_observer(observer) {}

bool Station::takeRadio() {
    const QMutexLocker lock(&m_mutex);
    if (m_settings.count > 0 && m_programmed + m_inHand >= m_settings.count)
        return false;
    ++m_inHand;
    return true;
}

void Station::radioEnded(bool programmed) {
    const QMutexLocker lock(&m_mutex);
    --m_inHand;
    if (programmed)
        ++m_programmed;
}

bool Station::finished() const {
    return Asked(m_settings.stopRequested) || m_logFailed ||
           (m_settings.count > 0 && m_programmed >= m_settings.count);
}

bool Station::stopsAtOnce() const {
    return Asked(m_settings.stopAtOnce);
}

ProgrammingRecord Station::newRecord(const QString& port) const {
    ProgrammingRecord record = m_log.record();
    record.port = port;
    return record;
}

void Station::log(const ProgrammingRecord& record) {
    if (!m_log.isOpen())
        return;
    ProgrammingRecord stamped = record;
    stamped.time = QDateTime::currentDateTime();
    QString error;
    if (m_log.append(stamped, &error))
        return;
    if (!m_logFailed.exchange(true)) {
        StationWarning warning;
        warning.kind = StationWarning::Kind::LogFailed;
        warning.message = error;
        m_observer.warning(record.port, warning);
    }
}

// The radio on the cable is read again and again: a backup that repeats its newest one
// is no news.
QString Station::backUp(const QString& port, const RadioImage& image, bool beforeWrite) {
    const QMutexLocker lock(&m_mutex);
    const KeptBackup kept =
        KeepBackup(BackupFolder(UserStore(m_settings.iniPath).appName()), image,
                   beforeWrite ? BackupKind::Write : BackupKind::Read, QDateTime::currentDateTime());
    StationWarning warning;
    if (!kept.error.isEmpty()) {
        warning.kind = StationWarning::Kind::NoBackup;
        warning.message = kept.error;
        m_observer.warning(port, warning);
    } else if (!kept.note().isEmpty() && !kept.repeated) {
        warning.kind = StationWarning::Kind::BackupNote;
        warning.message = kept.note();
        m_observer.warning(port, warning);
    }
    return kept.path;
}

PortWorker::PortWorker(Station& station, const QString& device, bool endWhenPortLost)
    : m_station(station), m_settings(station.settings()), m_observer(station.observer()),
      m_device(device), m_cable(CableAt(device)), m_endWhenPortLost(endWhenPortLost) {}

qint64 PortWorker::nowMs() const {
    static QElapsedTimer clock = [] {
        QElapsedTimer started;
        started.start();
        return started;
    }();
    return clock.elapsed();
}

void PortWorker::run() {
    while (!m_station.finished() && !m_tally.portLost) {
        const qint64 attempt = nowMs();
        pollOnce();
        waitUntilNextPoll(attempt);
    }
}

void PortWorker::show(PortState state) {
    if (state == m_state)
        return;
    m_state = state;
    m_observer.stateChanged(m_device, state);
}

void PortWorker::warn(StationWarning::Kind kind, const QString& message, const QString& detail) {
    StationWarning warning;
    warning.kind = kind;
    warning.message = message;
    warning.detail = detail;
    m_observer.warning(m_device, warning);
}

void PortWorker::pollOnce() {
    const qint64 started = nowMs();
    RadioImage held = NewImage();
    const ExchangeOutcome outcome = read(&held);
    if (!outcome.succeeded()) {
        noteMissingRadio(outcome);
        return;
    }
    m_portProblem.clear();
    ProgrammingRecord record = m_station.newRecord(m_device);
    record.usbSerial = m_cable.usbSerial;
    record.usbId = m_cable.usbId;
    record.fingerprint = RadioFingerprint(held, !m_settings.alignment);
    record.backup = m_station.backUp(m_device, held, false);
    if (m_failedRadio == held)
        return; // the radio that failed or was skipped, still connected: once is enough
    if (FirstDifference(held, m_settings.image, m_settings.alignment) < 0) {
        show(PortState::Done);
        if (!m_reportedProgrammed) {
            RadioReport report;
            report.end = RadioReport::End::AlreadyProgrammed;
            report.justWritten = m_justWritten == held;
            m_observer.radioEnded(m_device, report);
            // The radio programmed here a moment ago has its line already.
            if (m_justWritten != held) {
                record.result = ProgrammingResult::AlreadyProgrammed;
                record.durationMs = nowMs() - started;
                m_station.log(record);
            }
        }
        m_reportedProgrammed = true;
        return;
    }
    if (acceptsTarget(held, record))
        program(held, record, started);
}

// No radio, a radio that broke off its read, or a port that cannot be opened.
void PortWorker::noteMissingRadio(const ExchangeOutcome& outcome) {
    m_reportedProgrammed = false;
    m_failedRadio.reset();
    m_justWritten.reset();
    if (outcome.result == ExchangeResult::PortOpenFailed) {
        show(PortState::Failed);
        if (m_endWhenPortLost) {
            m_tally.portLost = true;
            warn(StationWarning::Kind::PortLost, outcome.message, outcome.portDetail);
            return;
        }
        if (m_portProblem != outcome.portDetail)
            warn(StationWarning::Kind::PortNotOpened, outcome.message, outcome.portDetail);
        m_portProblem = outcome.portDetail;
        return;
    }
    show(PortState::Waiting);
    if (outcome.result == ExchangeResult::ProgramInterrupt)
        warn(StationWarning::Kind::ReadBrokeOff, outcome.message);
}

// A radio of another model or band is skipped (and remembered like a failed one, so
// that it is not tried again while it stays connected) unless the write is forced.
bool PortWorker::acceptsTarget(const RadioImage& held, ProgrammingRecord& record) {
    const WriteTargetCheck target = CheckWriteTarget(held, m_settings.image);
    if (target.refusesWrite() && !m_settings.force) {
        ++m_tally.skipped;
        m_failedRadio = held;
        show(PortState::WrongTarget);
        RadioReport report;
        report.end = RadioReport::End::Skipped;
        report.number = m_station.nextRadioNumber();
        report.target = target;
        m_observer.radioEnded(m_device, report);
        record.result = ProgrammingResult::WrongTarget;
        m_station.log(record);
        return false;
    }
    StationWarning warning;
    warning.target = target;
    warning.radio = held;
    if (target.refusesWrite()) {
        warning.kind = StationWarning::Kind::ForcedWrongTarget;
        m_observer.warning(m_device, warning);
    }
    if (target.identityDiffers) {
        warning.kind = StationWarning::Kind::IdentityDiffers;
        m_observer.warning(m_device, warning);
    }
    return true;
}

// Writes the radio that holds `held`. A radio that fails is remembered by what it holds
// afterwards, as far as that is known, so that it is not tried again while it stays
// connected.
void PortWorker::program(const RadioImage& held, ProgrammingRecord record, qint64 startedMs) {
    if (!m_station.takeRadio()) {
        show(PortState::Waiting);
        return; // the radios still to program are in other workers' hands
    }
    const int number = m_station.nextRadioNumber();
    m_station.backUp(m_device, m_settings.image, true);
    RadioImage nowHeld = held;
    bool stoppedPartWay = false;
    RadioReport report = writeAndVerify(&nowHeld, &stoppedPartWay);
    report.number = number;
    report.verified = m_settings.verify;
    report.durationMs = nowMs() - startedMs;
    record.durationMs = report.durationMs;
    const bool programmed = report.failure == RadioFailure::None;
    if (programmed) {
        ++m_tally.programmed;
        m_justWritten = nowHeld;
        report.end = RadioReport::End::Programmed;
        record.result =
            m_settings.verify ? ProgrammingResult::WrittenVerified : ProgrammingResult::Written;
    } else {
        ++m_tally.failed;
        m_failedRadio = nowHeld;
        if (stoppedPartWay)
            m_tally.halfWritten = number;
        report.end = RadioReport::End::Failed;
        record.result = ProgrammingResult::Failed;
        record.failure = FailureText(report);
    }
    show(programmed ? PortState::Done : PortState::Failed);
    m_observer.radioEnded(m_device, report);
    m_station.log(record);
    m_station.radioEnded(programmed);
}

// `held` becomes what the radio holds afterwards: what was read back, or else what the
// acknowledged blocks made of it.
RadioReport PortWorker::writeAndVerify(RadioImage* held, bool* stoppedPartWay) {
    const QVector<TransferBlock> plan = WritePlan(m_settings.alignment);
    RadioReport report;
    int acknowledged = 0;
    const QString device = m_device;
    StationObserver& observer = m_observer;
    const Station& station = m_station;
    const auto stopAtOnce = [&station] { return station.stopsAtOnce(); };
    show(PortState::Writing);
    QtSerialLink link(m_settings.trace);
    ProgrammingExchange writer(link, Callbacks(stopAtOnce, [&](int done, int total) {
                                   acknowledged = done;
                                   observer.progress(device, done, total);
                               }));
    const ExchangeOutcome written = writer.write(m_device, m_settings.image, m_settings.alignment);
    for (int b = 0; b < acknowledged && b < plan.size(); ++b)
        std::copy_n(m_settings.image.begin() + plan[b].address, plan[b].length,
                    held->begin() + plan[b].address);
    if (written.result == ExchangeResult::Cancelled) {
        *stoppedPartWay = written.partlyWritten;
        report.failure = RadioFailure::StoppedPartWay;
        return report;
    }
    if (!written.succeeded()) {
        report.failure = RadioFailure::WriteFailed;
        report.detail = written.message;
        return report;
    }
    if (!m_settings.verify)
        return report;
    show(PortState::Verifying);
    QtSerialLink verifyLink(m_settings.trace);
    ProgrammingExchange verifier(verifyLink, Callbacks(stopAtOnce, [&](int done, int total) {
                                     observer.progress(device, done, total);
                                 }));
    int difference = -1;
    RadioImage readBack;
    const ExchangeOutcome outcome = verifier.verify(m_device, m_settings.image, m_settings.alignment,
                                                    &difference, &readBack);
    if (outcome.result == ExchangeResult::Cancelled) {
        report.failure = RadioFailure::StoppedBeforeReadBack;
        return report;
    }
    if (!outcome.succeeded()) {
        report.failure = RadioFailure::VerifyFailed;
        report.detail = outcome.message;
        return report;
    }
    // What the radio holds: the blocks read back, over what it held outside them.
    for (const TransferBlock& block : plan)
        std::copy_n(readBack.begin() + block.address, block.length, held->begin() + block.address);
    if (difference >= 0) {
        report.failure = RadioFailure::VerifyDiffers;
        report.address = difference;
    }
    return report;
}

// A poll shows its progress only when it found a radio on a port that was waiting: the
// radio just programmed, read again while it stays connected, keeps its result shown.
ExchangeOutcome PortWorker::read(RadioImage* held) {
    QtSerialLink link(m_settings.trace);
    const Station& station = m_station;
    ProgrammingExchange reader(link, Callbacks([&station] { return station.finished(); },
                                               [this](int done, int total) {
                                                   if (done > 0 && m_state == PortState::Waiting)
                                                       show(PortState::Reading);
                                                   if (m_state == PortState::Reading)
                                                       m_observer.progress(m_device, done, total);
                                               }));
    return reader.read(m_device, *held);
}

// At most one poll every two seconds, sleeping (not spinning) meanwhile.
void PortWorker::waitUntilNextPoll(qint64 attemptStartMs) const {
    while (!m_station.finished() && nowMs() - attemptStartMs < kPollIntervalMs)
        QThread::msleep(kStopCheckMs);
}
