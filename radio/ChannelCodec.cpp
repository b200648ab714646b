#include "radio/ChannelCodec.h"

#include "radio/Calibration.h"
#include "radio/DecimalMultiply.h"
#include "radio/TextNumbers.h"
#include "radio/ToneCodes.h"

#include <algorithm>

using namespace ImageMap;

namespace {

constexpr int kFrequencyScale = 100000; // units of 10 Hz per MHz

bool IsEmptyMarker(std::uint8_t byte) {
    return byte == 0x00 || byte == 0xFF;
}

// A channel is empty when either frequency's last BCD byte is 00 or FF.
bool IsEmptyChannel(const std::uint8_t* record) {
    return IsEmptyMarker(record[Record::kRxFrequency + Record::kFrequencyLastByte]) ||
           IsEmptyMarker(record[Record::kTxFrequency + Record::kFrequencyLastByte]);
}

// Packed BCD, least significant pair first. Nibbles above 9 are taken as they come.
QString DecodeFrequency(const std::uint8_t* bytes) {
    if (IsEmptyMarker(bytes[Record::kFrequencyLastByte]))
        return QString();
    long long value = 0;
    for (int i = 3; i >= 0; --i)
        value = value * 100 + 10 * (bytes[i] >> 4) + (bytes[i] & 0x0F);
    return FrequencyText(value);
}

void EncodeFrequency(const QString& text, std::uint8_t* bytes) {
    long long value = DecimalMultiplyTruncated(LeadingDouble(text), kFrequencyScale);
    if (value == 0) {
        std::fill(bytes, bytes + 4, 0xFF);
        return;
    }
    long long divisor = 1000000;
    for (int i = 3; i >= 0; --i) {
        const long long pair = value / divisor;
        value %= divisor;
        bytes[i] = static_cast<std::uint8_t>((pair / 10) * 16 + pair % 10);
        divisor /= 100;
    }
}

QString DecodeTone(const std::uint8_t* bytes, bool emptyChannel, Language language) {
    const ToneCode code{bytes[0], bytes[1]};
    if (IsToneStored(code.high))
        return ToneCodeToText(code);
    return emptyChannel ? QString() : WordText(Word::NoTone, language);
}

void EncodeTone(const QString& text, std::uint8_t* bytes) {
    const ToneCode code = ToneTextToCode(text);
    bytes[0] = code.low;
    bytes[1] = code.high;
}

QString YesNo(bool condition, Word yes, Word no, Language language) {
    return WordText(condition ? yes : no, language);
}

void SetBit(std::uint8_t& byte, std::uint8_t bit, bool on) {
    byte = static_cast<std::uint8_t>(on ? (byte | bit) : (byte & ~bit));
}

// Scan Add of channels 1..8 shows the bit only for programmed channels; channels
// 9..16 show a set bit even on an empty channel. The radio's own tool behaves this
// way and existing images rely on it, so both halves are kept as they are.
QString DecodeScanAdd(int channel, bool bitSet, bool emptyChannel, Language language) {
    if (channel <= 8) {
        if (emptyChannel)
            return QString();
        return YesNo(bitSet, Word::ScanYes, Word::ScanNo, language);
    }
    if (bitSet)
        return WordText(Word::ScanYes, language);
    return emptyChannel ? QString() : WordText(Word::ScanNo, language);
}

int ScanByte(int channel) {
    return channel <= 8 ? kScanListLow : kScanListHigh;
}
std::uint8_t ScanBit(int channel) {
    return static_cast<std::uint8_t>(1u << ((channel - 1) % 8));
}

} // namespace

QString ChannelNumberText(int channel) {
    return QStringLiteral("%1").arg(channel, 2);
}

QString ChannelColumnHeading(int column, Language language) {
    static const char* const kHeadings[kChannelColumns][2] = {
        {"CH", "信道"},
        {"Rx Frequency", "接收頻率"},
        {"Tx Frequency", "發射頻率"},
        {"QT/DQT Dec", "QT/DQT解碼"},
        {"QT/DQT Enc", "QT/DQT編碼"},
        {"Power", "功率"},
        {"Scan Add", "掃描添加"},
        {"Busy Lock", "繁忙鎖定"},
        {"W/N", "帶寬"},
        {"Compand", "壓擴"},
    };
    return Tr(language, kHeadings[column][0], kHeadings[column][1]);
}

QString FrequencyText(long long units) {
    return FormatFixedPoint(units, 5);
}

ChannelTable DecodeChannels(const RadioImage& image, Language language) {
    ChannelTable table;
    for (int channel = 1; channel <= kChannelCount; ++channel) {
        const std::uint8_t* r = image.data() + channelRecord(channel);
        ChannelRow& row = table[channel - 1];
        const bool empty = IsEmptyChannel(r);
        row[kColNumber] = ChannelNumberText(channel);
        row[kColRxFrequency] = DecodeFrequency(r + Record::kRxFrequency);
        row[kColTxFrequency] = DecodeFrequency(r + Record::kTxFrequency);
        row[kColDecodeTone] = DecodeTone(r + Record::kDecodeTone, empty, language);
        row[kColEncodeTone] = DecodeTone(r + Record::kEncodeTone, empty, language);
        if (empty)
            continue;
        const std::uint8_t flagsA = r[Record::kFlagsA];
        const std::uint8_t flagsB = r[Record::kFlagsB];
        row[kColPower] = YesNo(flagsB & kHighPowerBit, Word::High, Word::Low, language);
        const int busy = flagsA & (kBusyLockCarrierBit | kBusyLockToneBit);
        row[kColBusyLock] = WordText(busy == 0                     ? Word::BusyOff
                                     : busy == kBusyLockCarrierBit ? Word::BusyCarrier
                                                                   : Word::BusyTone,
                                     language);
        row[kColBandwidth] = YesNo(flagsB & kWideBit, Word::Wide, Word::Narrow, language);
        row[kColCompand] =
            YesNo(flagsA & kCompanderBit, Word::CompandYes, Word::CompandNo, language);
    }
    for (int channel = 1; channel <= kChannelCount; ++channel) {
        const bool bitSet = image[ScanByte(channel)] & ScanBit(channel);
        const bool empty = IsEmptyChannel(image.data() + channelRecord(channel));
        table[channel - 1][kColScanAdd] = DecodeScanAdd(channel, bitSet, empty, language);
    }
    return table;
}

void EncodeChannelCell(const ChannelRow& row, int column, int channel, RadioImage& image) {
    std::uint8_t* r = image.data() + channelRecord(channel);
    std::uint8_t& flagsA = r[Record::kFlagsA];
    std::uint8_t& flagsB = r[Record::kFlagsB];
    const QString& text = row[column];
    switch (column) {
    case kColRxFrequency:
        EncodeFrequency(text, r + Record::kRxFrequency);
        break;
    case kColTxFrequency:
        EncodeFrequency(text, r + Record::kTxFrequency);
        break;
    case kColDecodeTone:
        EncodeTone(text, r + Record::kDecodeTone);
        break;
    case kColEncodeTone:
        EncodeTone(text, r + Record::kEncodeTone);
        break;
    case kColPower:
        SetBit(flagsB, kHighPowerBit, IsWord(text, Word::High));
        break;
    case kColScanAdd:
        SetBit(image[ScanByte(channel)], ScanBit(channel), IsWord(text, Word::ScanYes));
        break;
    case kColBusyLock:
        flagsA &= static_cast<std::uint8_t>(~(kBusyLockCarrierBit | kBusyLockToneBit));
        if (IsWord(text, Word::BusyCarrier))
            flagsA |= kBusyLockCarrierBit;
        else if (!IsWord(text, Word::BusyOff))
            flagsA |= kBusyLockToneBit; // "QT/DQT", and any other text, the empty one too
        break;
    case kColBandwidth:
        SetBit(flagsB, kWideBit, IsWord(text, Word::Wide));
        break;
    case kColCompand:
        SetBit(flagsA, kCompanderBit, IsWord(text, Word::CompandYes));
        break;
    default:
        break;
    }
}

void EncodeChannelRow(const ChannelRow& row, int channel, RadioImage& image) {
    for (int column = kColRxFrequency; column < kChannelColumns; ++column)
        EncodeChannelCell(row, column, channel, image);
}

void EncodeChangedCells(const ChannelRow& before, const ChannelRow& after, int channel,
                        RadioImage& image) {
    for (int column = kColRxFrequency; column < kChannelColumns; ++column) {
        if (after[column] != before[column])
            EncodeChannelCell(after, column, channel, image);
    }
}

void EncodeChangedCells(const ChannelTable& before, const ChannelTable& after, RadioImage& image) {
    for (int channel = 1; channel <= kChannelCount; ++channel)
        EncodeChangedCells(before[channel - 1], after[channel - 1], channel, image);
}

void GridToImage(const ChannelTable& table, RadioImage& image) {
    for (int channel = 1; channel <= kChannelCount; ++channel)
        EncodeChannelRow(table[channel - 1], channel, image);
    ClampCalibration(image);
}

void SwapChannelRecords(RadioImage& image, int a, int b) {
    std::swap_ranges(image.begin() + channelRecord(a),
                     image.begin() + channelRecord(a) + kChannelRecordSize,
                     image.begin() + channelRecord(b));
    const bool aScans = image[ScanByte(a)] & ScanBit(a);
    const bool bScans = image[ScanByte(b)] & ScanBit(b);
    SetBit(image[ScanByte(a)], ScanBit(a), bScans);
    SetBit(image[ScanByte(b)], ScanBit(b), aScans);
}

void ClampCalibration(RadioImage& image) {
    NormaliseSquelchTable(image);
    NormalisePowerTable(image);
}
