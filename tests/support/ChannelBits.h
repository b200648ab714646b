#pragma once
// The bits of the image that each field of a channel owns: what an edit of that field
// may change, and nothing else.

#include "radio/Channel.h"
#include "radio/ImageMap.h"

#include <cstdint>
#include <map>

// [offset] -> the bits of that byte that `field` of channel `channel` (1..16) owns.
inline std::map<int, std::uint8_t> ChannelFieldBits(ChannelField field, int channel) {
    using namespace ImageMap;
    const int r = channelRecord(channel);
    const int scanByte = channel <= 8 ? kScanListLow : kScanListHigh;
    const auto scanBit = static_cast<std::uint8_t>(1u << ((channel - 1) % 8));
    const auto whole = [](int first, int count) {
        std::map<int, std::uint8_t> bits;
        for (int i = first; i < first + count; ++i)
            bits[i] = 0xFF;
        return bits;
    };
    switch (field) {
    case ChannelField::RxFrequency: return whole(r + Record::kRxFrequency, 4);
    case ChannelField::TxFrequency: return whole(r + Record::kTxFrequency, 4);
    case ChannelField::DecodeTone: return whole(r + Record::kDecodeTone, 2);
    case ChannelField::EncodeTone: return whole(r + Record::kEncodeTone, 2);
    case ChannelField::Power: return {{r + Record::kFlagsB, kHighPowerBit}};
    case ChannelField::ScanAdd: return {{scanByte, scanBit}};
    case ChannelField::BusyLock:
        return {{r + Record::kFlagsA, kBusyLockCarrierBit | kBusyLockToneBit}};
    case ChannelField::Bandwidth: return {{r + Record::kFlagsB, kWideBit}};
    case ChannelField::Compand: return {{r + Record::kFlagsA, kCompanderBit}};
    }
    return {};
}
