#include "BlockReply.h"

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
