#include "tests/support/ScriptedRadio.h"

#include "link/LinkProtocol.h"

namespace {

int Address(const QByteArray& frame) {
    return (static_cast<unsigned char>(frame[1]) << 8) | static_cast<unsigned char>(frame[2]);
}

} // namespace

QByteArray ScriptedRadio::answer(const QByteArray& written) {
    if (!m_pendingWrite.isEmpty())
        return storeWrite(written);
    if (written.size() == 1) {
        const char byte = written[0];
        // 02 after the greeting asks for the identification, and may also begin a new greeting.
        if (m_state == State::Greeted && byte == LinkProtocol::kIdentificationRequest) {
            m_greeting = written;
            return QByteArray(identificationLength, 'I');
        }
        if (byte == LinkProtocol::kAcknowledge && m_state == State::Greeted) {
            if (refuseHandshakeAcks > 0) {
                --refuseHandshakeAcks;
                return {};
            }
            m_state = State::Session;
            blocks = 0;
            return QByteArray(1, LinkProtocol::kAcknowledge);
        }
        if (byte == LinkProtocol::kAcknowledge && m_readAwaitsAck) {
            m_readAwaitsAck = false;
            return blockAcknowledge();
        }
        return greetingByte(byte);
    }
    if (m_state == State::Session && written.size() >= LinkProtocol::kFrameHeaderLength)
        return request(written);
    return {};
}

QByteArray ScriptedRadio::greetingByte(char byte) {
    m_greeting += byte;
    if (!Greeting().startsWith(m_greeting))
        m_greeting = byte == Greeting()[0] ? QByteArray(1, byte) : QByteArray();
    if (m_greeting != Greeting())
        return {};
    m_greeting.clear();
    ++greetings;
    if (!answerGreeting)
        return {};
    m_state = State::Greeted;
    return QByteArray(1, greetingAnswer);
}

QByteArray ScriptedRadio::request(const QByteArray& frame) {
    ++blocks;
    const int address = Address(frame);
    const int length = static_cast<unsigned char>(frame[3]);
    if (frame[0] == LinkProtocol::kWriteCommand) {
        m_pendingWrite = frame.left(LinkProtocol::kFrameHeaderLength);
        if (frame.size() > LinkProtocol::kFrameHeaderLength) // header and data in one write
            return storeWrite(frame.mid(LinkProtocol::kFrameHeaderLength));
        return {};
    }
    if (silent())
        return {};
    QByteArray reply = ReadReplyHeader({address, length});
    reply += QByteArray(reinterpret_cast<const char*>(memory.data()) + address, length);
    if (blocks == shortReplyAtBlock)
        reply.chop(1);
    m_readAwaitsAck = true;
    return blocks == disturbedBlock && disturbReply ? disturbReply(reply) : reply;
}

QByteArray ScriptedRadio::storeWrite(const QByteArray& data) {
    const int address = Address(m_pendingWrite);
    m_pendingWrite.clear();
    if (silent())
        return {};
    if (blocks != dropWriteAtBlock)
        std::copy(data.begin(), data.end(), memory.begin() + address);
    return blockAcknowledge();
}

QByteArray ScriptedRadio::blockAcknowledge() const {
    return QByteArray(1, blocks == badAckAtBlock ? 0x15 : LinkProtocol::kAcknowledge);
}
