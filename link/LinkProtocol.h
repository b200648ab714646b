#pragma once
// The radio's link protocol: the bytes of its frames and the plans of blocks that the
// programming and alignment exchanges move. Addresses are image offsets, sent high
// byte first. There is no checksum, no closing frame and no echo.
//
//   greeting                PC -> radio   02 'P' 'R' 'O' 'G' 'R' 'A' 'M', one byte at a time
//   greeting answer         radio -> PC   one byte (the alignment exchange wants 06)
//   identification request  PC -> radio   02
//   identification          radio -> PC   8 bytes
//   acknowledge             both ways     06
//   read request            PC -> radio   'R' high low n
//   read reply              radio -> PC   57 high low n, then n data bytes
//   write request           PC -> radio   'W' high low n, then n data bytes

#include "radio/RadioImage.h"

#include <QByteArray>
#include <QVector>

namespace LinkProtocol {

constexpr char kGreeting[] = "\x02PROGRAM";
constexpr int kGreetingLength = 8;
constexpr char kIdentificationRequest = 0x02;
constexpr int kIdentificationLength = 8;
constexpr char kAcknowledge = 0x06;
constexpr char kReadCommand = 'R';
constexpr char kWriteCommand = 'W';
constexpr int kFrameHeaderLength = 4; // command, address high, address low, length
constexpr int kReplyHeaderLength = 4;
constexpr char kReadReplyMarker = 0x57; // the first byte of every read reply
constexpr int kBlockAlignment = 8; // no block crosses a multiple of 8

} // namespace LinkProtocol

// A run of image bytes moved by one frame.
struct TransferBlock {
    int address;
    int length;
    bool operator==(const TransferBlock& other) const {
        return address == other.address && length == other.length;
    }
};

// A half-open range [start, end) of image offsets.
struct AddressRange {
    int start;
    int end;
};

// Cuts each range into blocks that never cross a multiple of 8, in ascending order.
QVector<TransferBlock> CutIntoBlocks(const QVector<AddressRange>& ranges);

// The whole image: 128 blocks.
QVector<TransferBlock> ReadPlan();

// Everything below 0x3F1; without the alignment unlock it leaves out the factory block
// and both calibration tables: 122 blocks, or 127 with `alignmentUnlocked`.
QVector<TransferBlock> WritePlan(bool alignmentUnlocked);

// What the radio holding `held` holds after a write of `image`: the blocks of the write
// plan from the image, everything else (its own bytes, and without `alignmentUnlocked`
// the calibration) as it was.
RadioImage ImageAfterWrite(const RadioImage& held, const RadioImage& image, bool alignmentUnlocked);

// 'R' high low n.
QByteArray ReadRequest(const TransferBlock& block);
// The header a read reply to `block` must start with: 57 high low n.
QByteArray ReadReplyHeader(const TransferBlock& block);
// 'W' high low n (the data bytes follow in a frame of their own).
QByteArray WriteRequestHeader(const TransferBlock& block);
// The greeting bytes.
QByteArray Greeting();
