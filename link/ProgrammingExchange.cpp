#include "link/ProgrammingExchange.h"

#include "link/BlockReply.h"
#include "radio/OwnTexts.h"

#include <algorithm>

const char* const kCouldNotOpenPortText =
    "Could not Open the Port,Please check whether the Port are occupied or the device are ok";
const char* const kCommunicationErrorText =
    "Communication Error,Please check all the connections and the radio power";
const char* const kProgramInterruptText = "Program Interrupt, Please reset the radio and try again";

QString PartialWriteAdvice() {
    return OwnText("The radio may hold part of the new data: write again, or restore its backup.");
}

namespace {

// Cancel checks: before each handshake attempt (1 ms apart) and after each block.
constexpr int kHandshakeCancelChecks = 6;
constexpr int kHandshakeCancelPauseMs = 1;
constexpr int kBlockCancelChecks = 9;

// Handshake attempts while reading the greeting answer fails outright, and the attempt
// beyond which a missing acknowledge means the radio needs a reset.
constexpr int kMaxGreetingReadErrors = 15;
constexpr int kInterruptAfterAttempts = 5;

constexpr int kGreetingByteGapMs = 2;
constexpr int kShortPauseMs = 1;

ExchangeOutcome Outcome(ExchangeResult result, const char* text = nullptr) {
    ExchangeOutcome outcome;
    outcome.result = result;
    if (text)
        outcome.message = QString::fromUtf8(text);
    return outcome;
}

// An outcome of the block stage: a write that ends there has sent some of its blocks.
ExchangeOutcome PartWritten(const RadioImage* writeFrom, ExchangeOutcome outcome) {
    outcome.partlyWritten = writeFrom != nullptr;
    return outcome;
}

QByteArray OneByte(char byte) {
    return QByteArray(1, byte);
}

} // namespace

ProgrammingExchange::ProgrammingExchange(SerialLink& link, ExchangeCallbacks callbacks,
                                         LinkTimeouts timeouts)
    : m_link(link), m_callbacks(std::move(callbacks)), m_timeouts(timeouts) {}

ExchangeOutcome ProgrammingExchange::read(const QString& device, RadioImage& image) {
    return run(device, ReadPlan(), &image, nullptr);
}

ExchangeOutcome ProgrammingExchange::write(const QString& device, const RadioImage& image,
                                           bool alignmentUnlocked) {
    return run(device, WritePlan(alignmentUnlocked), nullptr, &image);
}

ExchangeOutcome ProgrammingExchange::verify(const QString& device, const RadioImage& image,
                                            bool alignmentUnlocked, int* firstDifference,
                                            RadioImage* readBack) {
    *firstDifference = -1;
    // Bytes outside the plan keep the written values, so they never differ.
    RadioImage held = image;
    const ExchangeOutcome outcome = run(device, WritePlan(alignmentUnlocked), &held, nullptr);
    if (!outcome.succeeded())
        return outcome;
    const auto difference = std::mismatch(image.begin(), image.end(), held.begin());
    if (difference.first != image.end())
        *firstDifference = static_cast<int>(difference.first - image.begin());
    if (readBack)
        *readBack = held;
    return outcome;
}

ExchangeOutcome ProgrammingExchange::run(const QString& device, const QVector<TransferBlock>& plan,
                                         RadioImage* readInto, const RadioImage* writeFrom) {
    ExchangeOutcome outcome;
    if (!m_link.open(device, &outcome.portDetail)) {
        outcome.result = ExchangeResult::PortOpenFailed;
        outcome.message = QString::fromUtf8(kCouldNotOpenPortText);
        return outcome;
    }
    m_link.configure(m_timeouts);
    reportProgress(0, static_cast<int>(plan.size()));
    outcome = handshake();
    if (outcome.succeeded())
        outcome = transfer(plan, readInto, writeFrom);
    m_link.close();
    return outcome;
}

ExchangeOutcome ProgrammingExchange::handshake() {
    int attempt = 1;
    for (;;) {
        if (cancelledDuring(kHandshakeCancelChecks, kHandshakeCancelPauseMs))
            return Outcome(ExchangeResult::Cancelled);
        sendGreeting();
        const LinkRead answer = m_link.read(1);
        if (answer.failed) {
            // The line itself failed (a time-out is no failure): try again a few times.
            m_link.sleep(kGreetingByteGapMs);
            if (++attempt <= kMaxGreetingReadErrors)
                continue;
        } else {
            requestIdentification();
            if (handshakeAcknowledged())
                return Outcome(ExchangeResult::Success);
            if (attempt > kInterruptAfterAttempts)
                return Outcome(ExchangeResult::ProgramInterrupt, kProgramInterruptText);
        }
        if (!m_callbacks.askRetry || !m_callbacks.askRetry())
            return Outcome(ExchangeResult::CommunicationFailed, kCommunicationErrorText);
        attempt = 1;
    }
}

ExchangeOutcome ProgrammingExchange::transfer(const QVector<TransferBlock>& plan,
                                              RadioImage* readInto, const RadioImage* writeFrom) {
    // A read collects the blocks apart and hands over the image only once it is whole.
    RadioImage scratch = readInto ? *readInto : RadioImage{};
    const int total = static_cast<int>(plan.size());
    for (int done = 0; done < total; ++done) {
        const TransferBlock& block = plan[done];
        const bool acknowledged = readInto ? ReadAcknowledgedBlock(m_link, block, scratch)
                                           : writeBlock(block, *writeFrom);
        if (!acknowledged)
            return PartWritten(writeFrom,
                               Outcome(ExchangeResult::ProgramInterrupt, kProgramInterruptText));
        reportProgress(done + 1, total);
        if (cancelledDuring(kBlockCancelChecks, 0))
            return PartWritten(writeFrom, Outcome(ExchangeResult::Cancelled));
    }
    if (readInto)
        *readInto = scratch;
    return Outcome(ExchangeResult::Success);
}

bool ProgrammingExchange::cancelledDuring(int checks, int pauseMs) {
    for (int i = 0; i < checks; ++i) {
        if (m_callbacks.isCancelled && m_callbacks.isCancelled())
            return true;
        if (pauseMs > 0)
            m_link.sleep(pauseMs);
    }
    return false;
}

void ProgrammingExchange::sendGreeting() {
    m_link.purge();
    for (char byte : Greeting()) {
        m_link.sleep(kGreetingByteGapMs);
        m_link.purge();
        m_link.write(OneByte(byte));
    }
}

void ProgrammingExchange::requestIdentification() {
    m_link.sleep(kShortPauseMs);
    m_link.purge();
    m_link.write(OneByte(LinkProtocol::kIdentificationRequest));
    m_link.sleep(kShortPauseMs);
    m_link.read(LinkProtocol::kIdentificationLength); // neither its length nor its bytes matter
}

bool ProgrammingExchange::handshakeAcknowledged() {
    m_link.clearReceive();
    m_link.purge();
    m_link.write(OneByte(LinkProtocol::kAcknowledge));
    m_link.sleep(kShortPauseMs);
    return RadioAcknowledges(m_link);
}

bool ProgrammingExchange::writeBlock(const TransferBlock& block, const RadioImage& image) {
    m_link.purge();
    m_link.write(WriteRequestHeader(block));
    const auto first = reinterpret_cast<const char*>(image.data()) + block.address;
    m_link.write(QByteArray(first, block.length));
    // No clearing of the receive side here: the purge above already emptied it, and on a
    // fast line the radio's acknowledge may be in already.
    return RadioAcknowledges(m_link);
}

void ProgrammingExchange::reportProgress(int done, int total) {
    if (m_callbacks.progress)
        m_callbacks.progress(done, total);
}

ExchangeRun ProgrammingRun(bool alignmentUnlocked) {
    return [alignmentUnlocked](SerialLink& link, TransferJob& job,
                               const ExchangeCallbacks& callbacks) {
        ProgrammingExchange exchange(link, callbacks);
        if (job.direction == TransferDirection::Read)
            return exchange.read(job.device, job.image);
        return exchange.write(job.device, job.image, alignmentUnlocked);
    };
}
