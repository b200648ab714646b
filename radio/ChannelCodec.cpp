#include "radio/ChannelCodec.h"

#include "radio/Calibration.h"
#include "radio/ChannelRecord.h"
#include "radio/DecimalMultiply.h"
#include "radio/TextNumbers.h"
#include "radio/ToneCodes.h"

#include <algorithm>

using namespace ImageMap;

namespace {

constexpr int kFrequencyScale = 100000; // units of 10 Hz per MHz

// A typed frequency text: the number at its start, in MHz, truncated to 10 Hz; no
// number is no frequency.
Frequency FrequencyOfText(const QString& text) {
    return Frequency{DecimalMultiplyTruncated(LeadingDouble(text), kFrequencyScale)};
}

QString YesNo(bool condition, Word yes, Word no, Language language) {
    return WordText(condition ? yes : no, language);
}

QString ToneText(Tone tone, Language language) {
    return tone.isStored() ? ToneCodeToText(tone.code) : WordText(Word::NoTone, language);
}

QString BusyLockText(BusyLock busyLock, Language language) {
    switch (busyLock) {
    case BusyLock::Off:
        return WordText(Word::BusyOff, language);
    case BusyLock::Carrier:
        return WordText(Word::BusyCarrier, language);
    case BusyLock::Tone:
        break;
    }
    return WordText(Word::BusyTone, language);
}

// The text of `field` when the grid shows one.
QString FieldText(const Channel& c, ChannelField field, Language language) {
    switch (field) {
    case ChannelField::RxFrequency:
        return FrequencyText(c.rx.units);
    case ChannelField::TxFrequency:
        return FrequencyText(c.tx.units);
    case ChannelField::DecodeTone:
        return ToneText(c.decodeTone, language);
    case ChannelField::EncodeTone:
        return ToneText(c.encodeTone, language);
    case ChannelField::Power:
        return YesNo(c.power == Power::High, Word::High, Word::Low, language);
    case ChannelField::ScanAdd:
        return YesNo(c.scanAdd, Word::ScanYes, Word::ScanNo, language);
    case ChannelField::BusyLock:
        return BusyLockText(c.busyLock, language);
    case ChannelField::Bandwidth:
        return YesNo(c.bandwidth == Bandwidth::Wide, Word::Wide, Word::Narrow, language);
    case ChannelField::Compand:
        break;
    }
    return YesNo(c.compand, Word::CompandYes, Word::CompandNo, language);
}

} // namespace

bool IsFieldShown(const Channel& c, int channel, ChannelField field) {
    switch (field) {
    case ChannelField::RxFrequency:
        return !c.rx.isEmpty();
    case ChannelField::TxFrequency:
        return !c.tx.isEmpty();
    case ChannelField::DecodeTone:
        return !c.empty || c.decodeTone.isStored();
    case ChannelField::EncodeTone:
        return !c.empty || c.encodeTone.isStored();
    case ChannelField::ScanAdd:
        // Channels 9..16 show a set scan bit even on an empty channel, 1..8 do not. The
        // radio's own tool behaves this way and existing images rely on it.
        return !c.empty || (channel > 8 && c.scanAdd);
    default:
        return !c.empty;
    }
}

ChannelField ReadCellText(const QString& text, int column, Channel& c) {
    const ChannelField field = FieldOfColumn(column);
    switch (field) {
    case ChannelField::RxFrequency:
        c.rx = FrequencyOfText(text);
        break;
    case ChannelField::TxFrequency:
        c.tx = FrequencyOfText(text);
        break;
    case ChannelField::DecodeTone:
        c.decodeTone = Tone{ToneTextToCode(text)};
        break;
    case ChannelField::EncodeTone:
        c.encodeTone = Tone{ToneTextToCode(text)};
        break;
    case ChannelField::Power:
        c.power = IsWord(text, Word::High) ? Power::High : Power::Low;
        break;
    case ChannelField::ScanAdd:
        c.scanAdd = IsWord(text, Word::ScanYes);
        break;
    case ChannelField::BusyLock:
        c.busyLock = IsWord(text, Word::BusyCarrier) ? BusyLock::Carrier
                     : IsWord(text, Word::BusyOff)   ? BusyLock::Off
                                                     : BusyLock::Tone;
        break;
    case ChannelField::Bandwidth:
        c.bandwidth = IsWord(text, Word::Wide) ? Bandwidth::Wide : Bandwidth::Narrow;
        break;
    case ChannelField::Compand:
        c.compand = IsWord(text, Word::CompandYes);
        break;
    }
    return field;
}

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

ChannelRow ChannelCellTexts(const Channel& c, int channel, Language language) {
    ChannelRow row;
    row[kColNumber] = ChannelNumberText(channel);
    for (int column = kColRxFrequency; column < kChannelColumns; ++column) {
        const ChannelField field = FieldOfColumn(column);
        if (IsFieldShown(c, channel, field))
            row[column] = FieldText(c, field, language);
    }
    return row;
}

ChannelTable DecodeChannels(const RadioImage& image, Language language) {
    ChannelTable table;
    for (int channel = 1; channel <= kChannelCount; ++channel)
        table[channel - 1] = ChannelCellTexts(ReadChannel(image, channel), channel, language);
    return table;
}

void EncodeChannelCell(const ChannelRow& row, int column, int channel, RadioImage& image) {
    if (column < kColRxFrequency || column >= kChannelColumns)
        return;
    Channel value;
    const ChannelField field = ReadCellText(row[column], column, value);
    WriteChannelField(value, field, channel, image);
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
    const Channel channelA = ReadChannel(image, a);
    const Channel channelB = ReadChannel(image, b);
    std::swap_ranges(image.begin() + channelRecord(a),
                     image.begin() + channelRecord(a) + kChannelRecordSize,
                     image.begin() + channelRecord(b));
    WriteChannelField(channelB, ChannelField::ScanAdd, a, image);
    WriteChannelField(channelA, ChannelField::ScanAdd, b, image);
}

void ClampCalibration(RadioImage& image) {
    NormaliseSquelchTable(image);
    NormalisePowerTable(image);
}
