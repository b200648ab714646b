#include "link/AlignmentExchange.h"

#include "link/BlockReply.h"
#include "radio/ImageMap.h"
#include "radio/OwnTexts.h"

namespace {

constexpr int kHandshakeAttempts = 4;
constexpr int kGreetingByteGapMs = 2;

QByteArray OneByte(char byte) {
    return QByteArray(1, byte);
}

QByteArray Bytes(const RadioImage& image, const TransferBlock& block) {
    return QByteArray(reinterpret_cast<const char*>(image.data()) + block.address, block.length);
}

} // namespace

QVector<TransferBlock> AlignmentPlan(CalibrationTable table) {
    using namespace ImageMap;
    if (table == CalibrationTable::Power)
        return CutIntoBlocks({{kPowerCalibration, kPowerCalibration + 2 * kCalibrationRows}});
    return CutIntoBlocks({{kSquelchCalibration, kSquelchCalibration + kCalibrationRows}});
}

AlignmentExchange::AlignmentExchange(SerialLink& link, CalibrationTable table, Language language)
    : AlignmentExchange(link, table, language,
                        table == CalibrationTable::Power ? kPowerAlignmentTimeouts
                                                         : kSquelchAlignmentTimeouts) {}

AlignmentExchange::AlignmentExchange(SerialLink& link, CalibrationTable table, Language language,
                                     LinkTimeouts timeouts)
    : m_link(link), m_table(table), m_language(language), m_timeouts(timeouts) {}

ExchangeOutcome AlignmentExchange::read(const QString& device, RadioImage& image) {
    return run(device, TransferDirection::Read, image);
}

ExchangeOutcome AlignmentExchange::write(const QString& device, const RadioImage& image) {
    RadioImage copy = image; // a write never changes the image
    return run(device, TransferDirection::Write, copy);
}

ExchangeOutcome AlignmentExchange::run(const QString& device, TransferDirection direction,
                                       RadioImage& image) {
    ExchangeOutcome outcome;
    if (!m_link.open(device, &outcome.portDetail)) {
        outcome.result = ExchangeResult::PortOpenFailed;
        outcome.message = openFailureText();
        return outcome;
    }
    m_link.configure(m_timeouts);
    m_link.purge();
    if (!handshake()) {
        m_link.close();
        return failure(direction, FailedAt::Handshake);
    }
    // A read collects the table apart and copies it in only once every block arrived.
    RadioImage scratch = image;
    bool sentBlock = false;
    for (const TransferBlock& block : AlignmentPlan(m_table)) {
        if (cancelled()) {
            m_link.close();
            outcome.result = ExchangeResult::Cancelled;
            outcome.partlyWritten = direction == TransferDirection::Write && sentBlock;
            return outcome;
        }
        sentBlock = true;
        const bool done = direction == TransferDirection::Read
                              ? ReadAcknowledgedBlock(m_link, block, scratch)
                              : writeBlock(block, image);
        if (!done) {
            m_link.close();
            return failure(direction, FailedAt::Block);
        }
    }
    m_link.close();
    image = scratch;
    return success(direction);
}

bool AlignmentExchange::handshake() {
    bool greeted = false;
    for (int attempt = 1; attempt <= kHandshakeAttempts && !greeted; ++attempt) {
        for (char byte : Greeting()) {
            m_link.sleep(kGreetingByteGapMs);
            m_link.write(OneByte(byte));
        }
        m_link.sleep(kGreetingByteGapMs);
        greeted = RadioAcknowledges(m_link);
    }
    if (!greeted)
        return false;
    m_link.purge();
    m_link.write(OneByte(LinkProtocol::kIdentificationRequest));
    const LinkRead identification = m_link.read(LinkProtocol::kIdentificationLength);
    if (identification.failed || identification.bytes.size() < LinkProtocol::kIdentificationLength)
        return false;
    m_link.purge();
    m_link.write(OneByte(LinkProtocol::kAcknowledge));
    return RadioAcknowledges(m_link);
}

bool AlignmentExchange::writeBlock(const TransferBlock& block, const RadioImage& image) {
    m_link.purge();
    m_link.write(WriteRequestHeader(block) + Bytes(image, block));
    return RadioAcknowledges(m_link);
}

ExchangeOutcome AlignmentExchange::failure(TransferDirection direction, FailedAt stage) const {
    ExchangeOutcome outcome;
    outcome.result = ExchangeResult::CommunicationFailed;
    // Power Adjust words a failed write handshake with another Chinese form.
    const bool powerWriteHandshake = m_table == CalibrationTable::Power &&
                                     direction == TransferDirection::Write &&
                                     stage == FailedAt::Handshake;
    outcome.message = powerWriteHandshake ? Tr(m_language, "Communication Error", "通訊出錯")
                                          : Tr(m_language, "Communication Error", "通信出錯");
    // Blocks before the failed one were stored: the radio's table is part new, part old.
    if (direction == TransferDirection::Write && stage == FailedAt::Block) {
        outcome.partlyWritten = true;
        outcome.message += u'\n' + OwnText("The radio's calibration may be partly written: "
                                           "write again to complete it.");
    }
    return outcome;
}

ExchangeOutcome AlignmentExchange::success(TransferDirection direction) const {
    ExchangeOutcome outcome;
    outcome.result = ExchangeResult::Success;
    outcome.message = direction == TransferDirection::Read
                          ? Tr(m_language, "Read Successfully", "讀數據成功")
                          : Tr(m_language, "Write Successfully", "寫數據成功");
    return outcome;
}

QString AlignmentExchange::openFailureText() const {
    if (m_table == CalibrationTable::Power)
        return QStringLiteral("Open the serial port fails");
    return Tr(m_language, "Could not open the port", "无法打开串口");
}

ExchangeRun AlignmentRun(CalibrationTable table, Language language) {
    return [table, language](SerialLink& link, TransferJob& job,
                             const ExchangeCallbacks& callbacks) {
        AlignmentExchange exchange(link, table, language);
        exchange.setCancelCheck(callbacks.isCancelled);
        if (job.direction == TransferDirection::Read)
            return exchange.read(job.device, job.image);
        return exchange.write(job.device, job.image);
    };
}
