#pragma once
// Conversions between the 16 channel records of the image and the channel table: the
// texts the channel grid shows, one row per channel, columns 1..9.

#include "radio/Channel.h"
#include "radio/Language.h"
#include "radio/RadioImage.h"

#include <QString>
#include <array>

// Grid columns of the channel table. Column 0 holds the channel number.
enum ChannelColumn {
    kColNumber = 0,
    kColRxFrequency = 1,
    kColTxFrequency = 2,
    kColDecodeTone = 3,
    kColEncodeTone = 4,
    kColPower = 5,
    kColScanAdd = 6,
    kColBusyLock = 7,
    kColBandwidth = 8,
    kColCompand = 9,
};
constexpr int kChannelColumns = 10; // including the channel-number column

// The field of grid column `column` (1..9).
inline ChannelField FieldOfColumn(int column) {
    return static_cast<ChannelField>(column - kColRxFrequency);
}

using ChannelRow = std::array<QString, kChannelColumns>;
using ChannelTable = std::array<ChannelRow, ImageMap::kChannelCount>; // [0] is channel 1

// The channel number as the grid writes it: " 1" .. "16".
QString ChannelNumberText(int channel);

// Column headings: "CH", "Rx Frequency", ... in the given language.
QString ChannelColumnHeading(int column, Language language);

// Frequency in units of 10 Hz shown as MHz with five decimals: 14652000 -> "146.52000".
QString FrequencyText(long long units);

// The grid's texts of `value` as channel `channel` (1..16) in `language`: an empty channel
// shows its tones only when stored, and no other setting but a set scan bit of 9..16.
ChannelRow ChannelCellTexts(const Channel& value, int channel, Language language);

// Whether the grid shows a text for `field` of `value` as channel `channel`: a frequency
// when there is one; every other field on a programmed channel, and on an empty one a
// stored tone and a set scan bit of channels 9..16.
bool IsFieldShown(const Channel& value, int channel, ChannelField field);

// Reads the text of grid column `column` (1..9) into its field of `value`, the one place
// the grid's words become values. Words of either language are accepted; a word the
// column does not know reads as the column's "other" value (Low, No, Narrow; Busy Lock's
// QT/DQT, for the empty text too). A frequency is the number at the text's start in MHz,
// truncated to 10 Hz; no number is no frequency.
ChannelField ReadCellText(const QString& text, int column, Channel& value);

// Decodes all 16 channels and the scan list into texts of `language`; column 0 gets
// the channel numbers.
ChannelTable DecodeChannels(const RadioImage& image, Language language);

// Encodes the table's columns 1..9 into the channel records and scan-list bytes, then
// runs ClampCalibration. Bytes and bits the table does not own keep their values.
// Words of either language are accepted.
void GridToImage(const ChannelTable& table, RadioImage& image);

// Encodes one row (columns 1..9) into the record of `channel` (1..16) and its scan-list
// bit. Nothing else of the image changes.
void EncodeChannelRow(const ChannelRow& row, int channel, RadioImage& image);

// Encodes only `column` of `row`: the bytes or bits of that one setting.
void EncodeChannelCell(const ChannelRow& row, int column, int channel, RadioImage& image);

// Encodes, channel by channel, only the cells whose text differs between `before` and
// `after`: every other byte and bit of the image (a tone code no list offers, a stray
// flag bit, the record of a channel nobody touched) keeps its value. Every door that
// edits channels stores through this.
void EncodeChangedCells(const ChannelTable& before, const ChannelTable& after, RadioImage& image);
void EncodeChangedCells(const ChannelRow& before, const ChannelRow& after, int channel,
                        RadioImage& image);

// Exchanges the whole records of channels `a` and `b` (1..16) and their scan-list bits.
void SwapChannelRecords(RadioImage& image, int a, int b);

// Pulls the calibration tables back into their valid ranges: a squelch byte whose
// magnitude exceeds 5 becomes 00; a low-power byte outside 25..150 becomes 100 and a
// high-power byte outside 128..250 becomes 200.
void ClampCalibration(RadioImage& image);
