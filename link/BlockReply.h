#pragma once
// The radio's reply to a read request, as both exchanges receive it: the header
// 57 high low n, then n data bytes. The header is checked (a late reply, a pause inside
// it, line noise or an echo of our own request all show there first), and so is the
// number of data bytes.

#include "LinkProtocol.h"
#include "SerialLink.h"

// Reads the reply to a read request for `block` into `data`. False when the line failed,
// a read ran out of time, or the header is not the one the request asked for.
bool ReceiveReadReply(SerialLink& link, const TransferBlock& block, QByteArray* data);
