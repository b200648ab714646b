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

QString FrequencyCellText(Frequency frequency) {
    return frequency.isEmpty() ? QString() : FrequencyText(frequency.units);
}

// A typed frequency text: the number at its start, in MHz, truncated to 10 Hz; no
// number is no frequency.
Frequency FrequencyOfText(const QString& text) {
    return Frequency{DecimalMultiplyTruncated(LeadingDouble(text), kFrequencyScale)};
}

QString ToneCellText(Tone tone, bool emptyChannel, Language language) {
    if (tone.isStored())
        return ToneCodeToText(tone.code);
    return emptyChannel ? QString() : WordText(Word::NoTone, language);
}

QString YesNo(bool condition, Word yes, Word no, Language language) {
    return WordText(condition ? yes : no, language);
}

// Scan Add of channels 1..8 shows the bit only for programmed channels; channels
// 9..16 show a set bit even on an empty channel. The radio's own tool behaves this
// way and existing images rely on it, so both halves are kept as they are.
QString ScanAddCellText(int channel, bool bitSet, bool emptyChannel, Language language) {
    if (channel <= 8) {
        if (emptyChannel)
            return QString();
        return YesNo(bitSet, Word::ScanYes, Word::ScanNo, language);
    }
    if (bitSet)
        return WordText(Word::ScanYes, language);
    return emptyChannel ? QString() : WordText(Word::ScanNo, language);
}

QString BusyLockCellText(BusyLock busyLock, Language language) {
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

// Reads the text of grid column `column` (1..9) into its field of `c`. Words of either
// language are accepted; a word the column does not know reads as the column's "other"
// value (Low, No, Narrow; Busy Lock's QT/DQT, for the empty text too).
ChannelField ReadCellText(const QString& text, int column, Channel& c) {
    const auto field = static_cast<ChannelField>(column - kColRxFrequency);
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

ChannelRow ChannelCellTexts(const Channel& c, int channel, Language language) {
    ChannelRow row;
    row[kColNumber] = ChannelNumberText(channel);
    row[kColRxFrequency] = FrequencyCellText(c.rx);
    row[kColTxFrequency] = FrequencyCellText(c.tx);
    row[kColDecodeTone] = ToneCellText(c.decodeTone, c.empty, language);
    row[kColEncodeTone] = ToneCellText(c.encodeTone, c.empty, language);
    row[kColScanAdd] = ScanAddCellText(channel, c.scanAdd, c.empty, language);
    if (c.empty)
        return row;
    row[kColPower] = YesNo(c.power == Power::High, Word::High, Word::Low, language);
    row[kColBusyLock] = BusyLockCellText(c.busyLock, language);
    row[kColBandwidth] = YesNo(c.bandwidth == Bandwidth::Wide, Word::Wide, Word::Narrow, language);
    row[kColCompand] = YesNo(c.compand, Word::CompandYes, Word::CompandNo, language);
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
