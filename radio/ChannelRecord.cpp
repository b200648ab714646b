#include "radio/ChannelRecord.h"

using namespace ImageMap;

namespace {

bool IsEmptyMarker(std::uint8_t byte) {
    return byte == 0x00 || byte == 0xFF;
}

// Packed BCD, least significant pair first. Nibbles above 9 are taken as they come; an
// empty marker in the last byte reads as no frequency.
Frequency ReadFrequency(const std::uint8_t* bytes) {
    if (IsEmptyMarker(bytes[Record::kFrequencyLastByte]))
        return Frequency{};
    long long value = 0;
    for (int i = 3; i >= 0; --i)
        value = value * 100 + 10 * (bytes[i] >> 4) + (bytes[i] & 0x0F);
    return Frequency{value};
}

void WriteFrequency(Frequency frequency, std::uint8_t* bytes) {
    if (frequency.isEmpty()) {
        std::fill(bytes, bytes + 4, 0xFF);
        return;
    }
    long long value = frequency.units;
    long long divisor = 1000000;
    for (int i = 3; i >= 0; --i) {
        const long long pair = value / divisor;
        value %= divisor;
        bytes[i] = static_cast<std::uint8_t>((pair / 10) * 16 + pair % 10);
        divisor /= 100;
    }
}

Tone ReadTone(const std::uint8_t* bytes) {
    return Tone{ToneCode{bytes[0], bytes[1]}};
}

void WriteTone(Tone tone, std::uint8_t* bytes) {
    bytes[0] = tone.code.low;
    bytes[1] = tone.code.high;
}

void SetBit(std::uint8_t& byte, std::uint8_t bit, bool on) {
    byte = static_cast<std::uint8_t>(on ? (byte | bit) : (byte & ~bit));
}

int ScanByte(int channel) {
    return channel <= 8 ? kScanListLow : kScanListHigh;
}

std::uint8_t ScanBit(int channel) {
    return static_cast<std::uint8_t>(1u << ((channel - 1) % 8));
}

BusyLock ReadBusyLock(std::uint8_t flagsA) {
    const int busy = flagsA & (kBusyLockCarrierBit | kBusyLockToneBit);
    if (busy == 0)
        return BusyLock::Off;
    return busy == kBusyLockCarrierBit ? BusyLock::Carrier : BusyLock::Tone;
}

} // namespace

Channel ReadChannel(const RadioImage& image, int channel) {
    const std::uint8_t* r = image.data() + channelRecord(channel);
    Channel c;
    c.empty = IsEmptyMarker(r[Record::kRxFrequency + Record::kFrequencyLastByte]) ||
              IsEmptyMarker(r[Record::kTxFrequency + Record::kFrequencyLastByte]);
    c.rx = ReadFrequency(r + Record::kRxFrequency);
    c.tx = ReadFrequency(r + Record::kTxFrequency);
    c.decodeTone = ReadTone(r + Record::kDecodeTone);
    c.encodeTone = ReadTone(r + Record::kEncodeTone);
    c.power = r[Record::kFlagsB] & kHighPowerBit ? Power::High : Power::Low;
    c.scanAdd = image[ScanByte(channel)] & ScanBit(channel);
    c.busyLock = ReadBusyLock(r[Record::kFlagsA]);
    c.bandwidth = r[Record::kFlagsB] & kWideBit ? Bandwidth::Wide : Bandwidth::Narrow;
    c.compand = r[Record::kFlagsA] & kCompanderBit;
    return c;
}

void WriteChannelField(const Channel& value, ChannelField field, int channel, RadioImage& image) {
    std::uint8_t* r = image.data() + channelRecord(channel);
    std::uint8_t& flagsA = r[Record::kFlagsA];
    std::uint8_t& flagsB = r[Record::kFlagsB];
    switch (field) {
    case ChannelField::RxFrequency:
        WriteFrequency(value.rx, r + Record::kRxFrequency);
        break;
    case ChannelField::TxFrequency:
        WriteFrequency(value.tx, r + Record::kTxFrequency);
        break;
    case ChannelField::DecodeTone:
        WriteTone(value.decodeTone, r + Record::kDecodeTone);
        break;
    case ChannelField::EncodeTone:
        WriteTone(value.encodeTone, r + Record::kEncodeTone);
        break;
    case ChannelField::Power:
        SetBit(flagsB, kHighPowerBit, value.power == Power::High);
        break;
    case ChannelField::ScanAdd:
        SetBit(image[ScanByte(channel)], ScanBit(channel), value.scanAdd);
        break;
    case ChannelField::BusyLock:
        SetBit(flagsA, kBusyLockCarrierBit, value.busyLock == BusyLock::Carrier);
        SetBit(flagsA, kBusyLockToneBit, value.busyLock == BusyLock::Tone);
        break;
    case ChannelField::Bandwidth:
        SetBit(flagsB, kWideBit, value.bandwidth == Bandwidth::Wide);
        break;
    case ChannelField::Compand:
        SetBit(flagsA, kCompanderBit, value.compand);
        break;
    }
}

void WriteChannelFields(const Channel& value, ChannelFields fields, int channel,
                        RadioImage& image) {
    for (int field = 0; field < kChannelFieldCount; ++field) {
        if (fields.test(static_cast<std::size_t>(field)))
            WriteChannelField(value, static_cast<ChannelField>(field), channel, image);
    }
}

void WriteChannel(const Channel& value, int channel, RadioImage& image) {
    WriteChannelFields(value, ChannelFields().set(), channel, image);
}
