#pragma once
// The radio's reply to a read request, as both exchanges receive it: the header
// 57 high low n, then n data bytes; and the read of one block with its acknowledges,
// the same in both exchanges. The header is checked (a late reply, a pause inside
// it, line noise or an echo of our own request all show there first), and so is the
// number of data bytes.

#include "link/LinkProtocol.h"
#include "radio/RadioImage.h"
#include "link/SerialLink.h"

// Reads the reply to a read request for `block` into `data`. False when the line failed,
// a read ran out of time, or the header is not the one the request asked for.
bool ReceiveReadReply(SerialLink& link, const TransferBlock& block, QByteArray* data);

// Requests `block`, receives its reply into `scratch` at the block's address,
// acknowledges it and waits for the radio's acknowledge. False when the reply was
// wrong or short, more bytes followed it, the line failed, or no acknowledge came.
bool ReadAcknowledgedBlock(SerialLink& link, const TransferBlock& block, RadioImage& scratch);

// Reads one byte: true when it arrived and is the acknowledge.
bool RadioAcknowledges(SerialLink& link);
