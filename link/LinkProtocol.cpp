#include "link/LinkProtocol.h"

#include "radio/ImageMap.h"

#include <algorithm>

namespace {

QByteArray FrameHeader(char command, const TransferBlock& block) {
    QByteArray frame;
    frame.append(command);
    frame.append(static_cast<char>((block.address >> 8) & 0xFF));
    frame.append(static_cast<char>(block.address & 0xFF));
    frame.append(static_cast<char>(block.length));
    return frame;
}

} // namespace

QVector<TransferBlock> CutIntoBlocks(const QVector<AddressRange>& ranges) {
    using LinkProtocol::kBlockAlignment;
    QVector<TransferBlock> blocks;
    for (const AddressRange& range : ranges) {
        for (int p = range.start; p < range.end;) {
            const int length = std::min(kBlockAlignment - p % kBlockAlignment, range.end - p);
            blocks.append({p, length});
            p += length;
        }
    }
    return blocks;
}

QVector<TransferBlock> ReadPlan() {
    return CutIntoBlocks({{0, ImageMap::kImageSize}});
}

QVector<TransferBlock> WritePlan(bool alignmentUnlocked) {
    using namespace ImageMap;
    if (alignmentUnlocked)
        return CutIntoBlocks({{0, kWritableEnd}});
    const int factoryEnd = kFactoryBlock + kFactoryBlockSize;
    const int squelchEnd = kSquelchCalibration + kCalibrationRows;
    const int powerEnd = kPowerCalibration + 2 * kCalibrationRows;
    return CutIntoBlocks({{0, kFactoryBlock},
                          {factoryEnd, kSquelchCalibration},
                          {squelchEnd, kPowerCalibration},
                          {powerEnd, kWritableEnd}});
}

RadioImage ImageAfterWrite(const RadioImage& held, const RadioImage& image, bool alignmentUnlocked) {
    RadioImage after = held;
    for (const TransferBlock& block : WritePlan(alignmentUnlocked))
        std::copy_n(image.begin() + block.address, block.length, after.begin() + block.address);
    return after;
}

QByteArray ReadRequest(const TransferBlock& block) {
    return FrameHeader(LinkProtocol::kReadCommand, block);
}

QByteArray ReadReplyHeader(const TransferBlock& block) {
    return FrameHeader(LinkProtocol::kReadReplyMarker, block);
}

QByteArray WriteRequestHeader(const TransferBlock& block) {
    return FrameHeader(LinkProtocol::kWriteCommand, block);
}

QByteArray Greeting() {
    return QByteArray(LinkProtocol::kGreeting, LinkProtocol::kGreetingLength);
}
