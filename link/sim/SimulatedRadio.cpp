#include "link/sim/SimulatedRadio.h"

#include "link/LinkProtocol.h"

#include <QRegularExpression>
#include <tuple>

namespace {

constexpr char kRefused = 0x15;
constexpr int kMaxFrameData = 64; // longer requests are line noise, not frames
// The noise fault: four bytes from the third one on, across the end of a reply header.
constexpr int kNoiseStart = 2;
constexpr int kNoiseBurst = 4;

int FrameAddress(const QByteArray& frame) {
    return (static_cast<std::uint8_t>(frame[1]) << 8) | static_cast<std::uint8_t>(frame[2]);
}

int FrameLength(const QByteArray& frame) {
    return static_cast<std::uint8_t>(frame[3]);
}

bool FitsMemory(int address, int length) {
    return length >= 1 && length <= kMaxFrameData && address + length <= ImageMap::kImageSize;
}

} // namespace

bool ParseRadioFault(const QString& text, RadioFaults* faults, QString* error) {
    const struct {
        const char* name;
        bool RadioFaults::*flag;
    } flags[] = {{"no-greeting", &RadioFaults::noGreeting}, {"no-ack", &RadioFaults::noAck},
                 {"garbage", &RadioFaults::garbage},        {"echo", &RadioFaults::echo},
                 {"ack-all", &RadioFaults::ackAll}};
    for (const auto& flag : flags) {
        if (text == QLatin1String(flag.name)) {
            faults->*flag.flag = true;
            return true;
        }
    }
    static const QRegularExpression numbered(
        QStringLiteral("^(short-read|bad-ack|silent-from|noise|lose-write):(\\d{1,6})$"));
    static const QRegularExpression timed(
        QStringLiteral("^(late-reply|header-pause):(\\d{1,6}):(\\d{1,6})$"));
    QRegularExpressionMatch match = numbered.match(text);
    if (!match.hasMatch())
        match = timed.match(text);
    const int block = match.hasMatch() ? match.captured(2).toInt() : 0;
    if (block < 1) {
        *error =
            QStringLiteral("--fault: \"%1\" is not a fault (see chprog simulate --help)").arg(text);
        return false;
    }
    const QString kind = match.captured(1);
    const int ms = match.captured(3).toInt();
    if (kind == QLatin1String("short-read"))
        faults->shortReadAt = block;
    else if (kind == QLatin1String("bad-ack"))
        faults->badAckAt = block;
    else if (kind == QLatin1String("lose-write"))
        faults->loseWriteAt = block;
    else if (kind == QLatin1String("silent-from"))
        faults->silentFrom = block;
    else if (kind == QLatin1String("noise"))
        faults->noiseAt = block;
    else if (kind == QLatin1String("late-reply"))
        std::tie(faults->lateReplyAt, faults->lateReplyMs) = std::make_pair(block, ms);
    else
        std::tie(faults->headerPauseAt, faults->headerPauseMs) = std::make_pair(block, ms);
    return true;
}

QString RadioFaultHelp() {
    return QStringLiteral(
        "Faults (--fault KIND, as often as needed). Every greeting starts a new exchange;\n"
        "N counts the read or write requests of an exchange from 1:\n"
        "  no-greeting        never answers the greeting (a radio that is off)\n"
        "  no-ack             leaves the 06 that ends the handshake unanswered\n"
        "  short-read:N       the reply to read request N carries one data byte too few\n"
        "  bad-ack:N          request N is refused with 15 instead of 06 (a refused write\n"
        "                     is not stored)\n"
        "  silent-from:N      from request N on, answers nothing and stores nothing\n"
        "  garbage            answers the greeting and everything after it with noise bytes\n"
        "                     (never 06), like a radio at another baud rate\n"
        "  late-reply:N:MS    the reply to request N starts MS milliseconds late\n"
        "  header-pause:N:MS  the reply to request N pauses MS milliseconds after its\n"
        "                     first byte\n"
        "  noise:N            a burst of random bytes replaces part of the reply to request N\n"
        "                     (from its third byte on)\n"
        "  echo               sends every byte it receives back before its answer, like a\n"
        "                     line with a loop-back\n"
        "  ack-all            answers every frame with 06 and stores nothing\n"
        "  lose-write:N       acknowledges write request N but does not store it (a write\n"
        "                     that only a read-back finds out)\n");
}

SimulatedRadio::SimulatedRadio(const RadioImage& memory, const RadioFaults& faults)
    : m_memory(memory), m_faults(faults) {}

QByteArray SimulatedRadio::receive(std::uint8_t byte) {
    m_pause = {};
    QByteArray answer = answerTo(byte);
    if (m_faults.echo) {
        answer.prepend(static_cast<char>(byte));
        if (m_pause.ms > 0)
            ++m_pause.beforeByte;
    }
    return answer;
}

QByteArray SimulatedRadio::answerTo(std::uint8_t byte) {
    if (!m_frame.isEmpty()) {
        m_frame.append(static_cast<char>(byte));
        return frameComplete();
    }
    if (continuesGreeting(byte)) {
        if (m_greetingMatched < LinkProtocol::kGreetingLength)
            return {};
        m_greetingMatched = 0;
        return greeted();
    }
    return command(byte);
}

void SimulatedRadio::lineIdle() {
    // Every exchange starts with a greeting, so nothing of the last one is needed.
    m_frame.clear();
    m_greetingMatched = 0;
    m_readAwaitsAck = false;
    m_state = State::Idle;
}

bool SimulatedRadio::continuesGreeting(std::uint8_t byte) {
    // After the first byte (02, which is also the identification request) the greeting
    // takes precedence: its 'R' is not a read request.
    if (m_greetingMatched > 0 &&
        static_cast<char>(byte) == LinkProtocol::kGreeting[m_greetingMatched]) {
        ++m_greetingMatched;
        return true;
    }
    m_greetingMatched = 0;
    return false;
}

void SimulatedRadio::swapAfterWrite(std::function<RadioImage(int)> nextRadio) {
    m_nextRadio = std::move(nextRadio);
}

RadioImage FleetRadioMemory(const RadioImage& memory, int radio, int generation) {
    RadioImage stamped = memory;
    const std::uint8_t own[] = {'S', 'I', 'M', static_cast<std::uint8_t>(radio),
                                static_cast<std::uint8_t>(generation >> 8),
                                static_cast<std::uint8_t>(generation)};
    std::copy(std::begin(own), std::end(own), stamped.begin() + ImageMap::kWritableEnd);
    return stamped;
}

QByteArray SimulatedRadio::greeted() {
    if (m_faults.noGreeting)
        return {};
    if (m_exchangesUntilSwap > 0 && --m_exchangesUntilSwap == 0)
        m_memory = m_nextRadio(++m_radios);
    m_state = State::Greeted;
    m_readAwaitsAck = false;
    m_blocks = 0;
    ++m_exchanges;
    return m_faults.garbage ? noise(1) : QByteArray(1, LinkProtocol::kAcknowledge);
}

QByteArray SimulatedRadio::command(std::uint8_t byte) {
    const char c = static_cast<char>(byte);
    if (c == LinkProtocol::kIdentificationRequest) {
        m_greetingMatched = 1; // perhaps a new greeting
        if (m_state != State::Greeted)
            return {};
        if (m_faults.garbage)
            return noise(LinkProtocol::kIdentificationLength);
        if (m_faults.ackAll)
            return QByteArray(1, LinkProtocol::kAcknowledge);
        const auto identity =
            reinterpret_cast<const char*>(m_memory.data()) + ImageMap::kIdentityBlock;
        return QByteArray(identity, LinkProtocol::kIdentificationLength);
    }
    if (c == LinkProtocol::kAcknowledge && m_state == State::Greeted) {
        if (m_faults.garbage)
            return noise(1);
        if (m_faults.noAck)
            return {};
        m_state = State::Session;
        return QByteArray(1, LinkProtocol::kAcknowledge);
    }
    if (c == LinkProtocol::kAcknowledge && m_readAwaitsAck) {
        m_readAwaitsAck = false;
        return silent() ? QByteArray() : blockAnswer();
    }
    if (m_state == State::Session &&
        (c == LinkProtocol::kReadCommand || c == LinkProtocol::kWriteCommand))
        m_frame.append(c);
    return {};
}

QByteArray SimulatedRadio::frameComplete() {
    if (m_frame.size() < LinkProtocol::kFrameHeaderLength)
        return {};
    const int address = FrameAddress(m_frame);
    const int length = FrameLength(m_frame);
    if (!FitsMemory(address, length)) {
        m_frame.clear();
        return {};
    }
    if (m_frame[0] == LinkProtocol::kReadCommand) {
        m_frame.clear();
        return readReply(address, length);
    }
    if (m_frame.size() < LinkProtocol::kFrameHeaderLength + length)
        return {};
    const QByteArray data = m_frame.mid(LinkProtocol::kFrameHeaderLength);
    m_frame.clear();
    return storeWrite(address, data);
}

QByteArray SimulatedRadio::readReply(int address, int length) {
    ++m_blocks;
    if (silent())
        return {};
    if (m_faults.ackAll)
        return QByteArray(1, LinkProtocol::kAcknowledge);
    // The header: 57, then the address and length of the request.
    QByteArray reply;
    reply.append(LinkProtocol::kReadReplyMarker);
    reply.append(static_cast<char>(address >> 8));
    reply.append(static_cast<char>(address & 0xFF));
    reply.append(static_cast<char>(length));
    const int sent = m_blocks == m_faults.shortReadAt ? length - 1 : length;
    reply.append(reinterpret_cast<const char*>(m_memory.data()) + address, sent);
    m_readAwaitsAck = true;
    return disturbed(reply);
}

QByteArray SimulatedRadio::storeWrite(int address, const QByteArray& data) {
    ++m_blocks;
    if (silent())
        return {};
    if (m_faults.ackAll)
        return QByteArray(1, LinkProtocol::kAcknowledge);
    if (m_blocks != m_faults.badAckAt && m_blocks != m_faults.loseWriteAt)
        std::copy(data.begin(), data.end(), m_memory.begin() + address);
    // The write plan's last block: this write is complete. Its read back comes next.
    if (m_nextRadio && address + data.size() == ImageMap::kWritableEnd &&
        m_blocks != m_faults.badAckAt)
        m_exchangesUntilSwap = 2;
    return disturbed(blockAnswer());
}

QByteArray SimulatedRadio::blockAnswer() const {
    return QByteArray(1, m_blocks == m_faults.badAckAt ? kRefused : LinkProtocol::kAcknowledge);
}

// The reply to the current request as the faults deliver it: late, with a pause after
// its first byte, or with a burst of noise from its third byte on (a one-byte reply is
// replaced whole).
QByteArray SimulatedRadio::disturbed(QByteArray reply) {
    if (m_blocks == m_faults.lateReplyAt)
        m_pause = {0, m_faults.lateReplyMs};
    if (m_blocks == m_faults.headerPauseAt)
        m_pause = {1, m_faults.headerPauseMs};
    if (m_blocks == m_faults.noiseAt) {
        const int start = std::min<int>(kNoiseStart, static_cast<int>(reply.size()) - 1);
        const int end = std::min<int>(start + kNoiseBurst, static_cast<int>(reply.size()));
        for (int i = start; i < end; ++i) {
            const char byte = noise(1).at(0);
            reply[i] = byte != reply[i] ? byte : static_cast<char>(~byte);
        }
    }
    return reply;
}

QByteArray SimulatedRadio::noise(int count) {
    QByteArray bytes;
    while (bytes.size() < count) {
        m_noiseSeed = m_noiseSeed * 1664525u + 1013904223u;
        const char byte = static_cast<char>(m_noiseSeed >> 24);
        if (byte != LinkProtocol::kAcknowledge)
            bytes.append(byte);
    }
    return bytes;
}
