#include "link/BlockReply.h"

#include <algorithm>

bool ReceiveReadReply(SerialLink& link, const TransferBlock& block, QByteArray* data) {
    const LinkRead header = link.read(LinkProtocol::kReplyHeaderLength);
    if (header.failed || header.bytes != ReadReplyHeader(block))
        return false;
    const LinkRead reply = link.read(block.length);
    if (reply.failed || reply.bytes.size() < block.length)
        return false;
    *data = reply.bytes;
    return true;
}

bool ReadAcknowledgedBlock(SerialLink& link, const TransferBlock& block, RadioImage& scratch) {
    link.purge();
    link.write(ReadRequest(block));
    QByteArray data;
    if (!ReceiveReadReply(link, block, &data))
        return false;
    std::copy(data.begin(), data.end(), scratch.begin() + block.address);
    // Bytes beyond the reply mean something else shared the line: trust none of it.
    if (link.clearReceive() > 0)
        return false;
    link.purge();
    link.write(QByteArray(1, LinkProtocol::kAcknowledge));
    return RadioAcknowledges(link);
}

bool RadioAcknowledges(SerialLink& link) {
    const LinkRead answer = link.read(1);
    return !answer.failed && answer.bytes.size() == 1 &&
           answer.bytes.at(0) == LinkProtocol::kAcknowledge;
}
