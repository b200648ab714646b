#include "cli/CloneStation.h"

#include "cli/CliSupport.h"
#include "cli/LinkSupport.h"
#include "files/Backups.h"
#include "link/ProgrammingExchange.h"
#include "link/QtSerialLink.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QThread>
#include <algorithm>
#include <cstdio>

namespace {

constexpr int kPollIntervalMs = 2000;
constexpr int kStopCheckMs = 50;

// Quiet exchanges: one line per radio says what happened. A poll ends when the station
// is finished; a radio that is being written is finished first, unless a second Ctrl+C
// asks for the end at once.
ExchangeCallbacks Callbacks(std::function<bool()> isCancelled) {
    ExchangeCallbacks callbacks;
    callbacks.isCancelled = std::move(isCancelled);
    callbacks.askRetry = [] { return false; };
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

QString Seconds(qint64 ms) {
    return QString::number(ms / 1000.0, 'f', 1);
}

void Ring() {
    std::fputc('\a', stderr);
    std::fflush(stderr);
}

} // namespace

Station::Station(const CloneSettings& settings, StationLog& log, bool prefixed)
    : m_settings(settings), m_log(log), m_prefixed(prefixed) {}

void Station::print(const QString& port, const QString& text, bool error) {
    const QString line = m_prefixed ? port + QStringLiteral(": ") + text : text;
    const QMutexLocker lock(&m_mutex);
    if (error)
        PrintError(line);
    else
        PrintOut(line + u'\n');
}

void Station::say(const QString& port, const QString& text) {
    print(port, text, false);
}

void Station::warn(const QString& port, const QString& text) {
    print(port, text, true);
}

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
    return InterruptRequested() || m_logFailed ||
           (m_settings.count > 0 && m_programmed >= m_settings.count);
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
    if (!m_logFailed.exchange(true))
        warn(record.port, error + QStringLiteral("; no new radio is started"));
}

QString Station::backUp(const RadioImage& image, bool beforeWrite) {
    const QMutexLocker lock(&m_mutex);
    return BackUp(image, beforeWrite ? BackupKind::Write : BackupKind::Read, m_settings.iniPath,
                  RepeatedBackups::Quiet);
}

PortWorker::PortWorker(Station& station, const QString& device, bool endWhenPortLost)
    : m_station(station), m_settings(station.settings()), m_device(device),
      m_cable(CableAt(device)), m_endWhenPortLost(endWhenPortLost) {}

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
    record.backup = m_station.backUp(held, false);
    if (m_failedRadio == held)
        return; // the radio that failed or was skipped, still connected: once is enough
    if (FirstDifference(held, m_settings.image, m_settings.alignment) < 0) {
        if (!m_reportedProgrammed) {
            m_station.say(m_device, QStringLiteral("radio already programmed"));
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
        if (m_endWhenPortLost) {
            m_tally.portLost = true;
            m_station.warn(m_device, outcome.message + QStringLiteral(" (") + outcome.portDetail +
                                         QStringLiteral("); this port stops, the others go on"));
            return;
        }
        if (m_portProblem != outcome.portDetail)
            m_station.warn(m_device, outcome.message + QStringLiteral(" (") + outcome.portDetail +
                                         QStringLiteral("); trying again"));
        m_portProblem = outcome.portDetail;
    } else if (outcome.result == ExchangeResult::ProgramInterrupt) {
        m_station.warn(m_device, QStringLiteral("a radio broke off while being read (%1); trying again")
                                     .arg(outcome.message));
    }
}

// A radio of another model or band is skipped (and remembered like a failed one, so
// that it is not tried again while it stays connected) unless --force was given.
bool PortWorker::acceptsTarget(const RadioImage& held, ProgrammingRecord& record) {
    const WriteTargetCheck target = CheckWriteTarget(held, m_settings.image);
    const QString differs = WrongTargetText(target, m_settings.iniPath);
    if (target.refusesWrite() && !m_settings.force) {
        ++m_tally.skipped;
        m_failedRadio = held;
        m_station.say(m_device, QStringLiteral("radio %1: skipped: wrong target: %2")
                                    .arg(m_station.nextRadioNumber())
                                    .arg(differs));
        record.result = ProgrammingResult::WrongTarget;
        m_station.log(record);
        return false;
    }
    if (target.refusesWrite())
        m_station.warn(m_device, QStringLiteral("warning: wrong target, written anyway (--force): ") +
                                     differs);
    if (target.identityDiffers)
        m_station.warn(m_device, IdentityWarning(held, m_settings.image));
    return true;
}

// Writes the radio that holds `held`. A radio that fails is remembered by what it holds
// afterwards, as far as that is known, so that it is not tried again while it stays
// connected.
void PortWorker::program(const RadioImage& held, ProgrammingRecord record, qint64 startedMs) {
    if (!m_station.takeRadio())
        return; // the radios still to program are in other workers' hands
    const int number = m_station.nextRadioNumber();
    m_station.backUp(m_settings.image, true);
    RadioImage nowHeld = held;
    bool stoppedPartWay = false;
    const QString failure = writeAndVerify(&nowHeld, &stoppedPartWay);
    record.durationMs = nowMs() - startedMs;
    if (failure.isEmpty()) {
        ++m_tally.programmed;
        m_justWritten = nowHeld;
        record.result =
            m_settings.verify ? ProgrammingResult::WrittenVerified : ProgrammingResult::Written;
        m_station.say(m_device, QStringLiteral("radio %1: %2 in %3 s")
                                    .arg(number)
                                    .arg(m_settings.verify ? QStringLiteral("written and verified")
                                                           : QStringLiteral("written"),
                                         Seconds(record.durationMs)));
    } else {
        ++m_tally.failed;
        m_failedRadio = nowHeld;
        if (stoppedPartWay)
            m_tally.halfWritten = number;
        record.result = ProgrammingResult::Failed;
        record.failure = failure;
        m_station.say(m_device, QStringLiteral("radio %1: %2").arg(number).arg(failure));
    }
    m_station.log(record);
    m_station.radioEnded(failure.isEmpty());
    Ring();
}

// Empty when the radio took the image; otherwise why it failed. `held` becomes what the
// radio holds afterwards: what was read back, or else what the acknowledged blocks made
// of it.
QString PortWorker::writeAndVerify(RadioImage* held, bool* stoppedPartWay) {
    const QVector<TransferBlock> plan = WritePlan(m_settings.alignment);
    int acknowledged = 0;
    ExchangeCallbacks callbacks = Callbacks(StopAtOnceRequested);
    callbacks.progress = [&acknowledged](int done, int) { acknowledged = done; };
    QtSerialLink link(m_settings.trace);
    ProgrammingExchange writer(link, callbacks);
    const ExchangeOutcome written = writer.write(m_device, m_settings.image, m_settings.alignment);
    for (int b = 0; b < acknowledged && b < plan.size(); ++b)
        std::copy_n(m_settings.image.begin() + plan[b].address, plan[b].length,
                    held->begin() + plan[b].address);
    if (written.result == ExchangeResult::Cancelled) {
        *stoppedPartWay = written.partlyWritten;
        return QStringLiteral("stopped part way: ") + PartialWriteAdvice();
    }
    if (!written.succeeded())
        return QStringLiteral("writing failed: ") + written.message;
    if (!m_settings.verify)
        return QString();
    QtSerialLink verifyLink(m_settings.trace);
    ProgrammingExchange verifier(verifyLink, Callbacks(StopAtOnceRequested));
    int difference = -1;
    RadioImage readBack;
    const ExchangeOutcome outcome = verifier.verify(m_device, m_settings.image, m_settings.alignment,
                                                    &difference, &readBack);
    if (outcome.result == ExchangeResult::Cancelled)
        return QStringLiteral("written, but stopped before the read back");
    if (!outcome.succeeded())
        return QStringLiteral("verify failed: ") + outcome.message;
    // What the radio holds: the blocks read back, over what it held outside them.
    for (const TransferBlock& block : plan)
        std::copy_n(readBack.begin() + block.address, block.length, held->begin() + block.address);
    if (difference >= 0)
        return QStringLiteral("verify failed: the radio does not hold what was written, first "
                              "at address 0x") +
               QStringLiteral("%1").arg(difference, 3, 16, QLatin1Char('0')).toUpper();
    return QString();
}

ExchangeOutcome PortWorker::read(RadioImage* held) {
    QtSerialLink link(m_settings.trace);
    Station& station = m_station;
    ProgrammingExchange reader(link, Callbacks([&station] { return station.finished(); }));
    return reader.read(m_device, *held);
}

// At most one poll every two seconds, sleeping (not spinning) meanwhile.
void PortWorker::waitUntilNextPoll(qint64 attemptStartMs) const {
    while (!m_station.finished() && nowMs() - attemptStartMs < kPollIntervalMs)
        QThread::msleep(kStopCheckMs);
}
