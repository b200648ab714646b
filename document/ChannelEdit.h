#pragma once
// The rules that keep a channel consistent when one of its cells is committed:
// frequency checks against the band and the channel steps, defaults for a new channel,
// blanking, the simplex copy, and no settings on an empty channel. The channel grid
// applies them to typed channels; the CSV import and the paste check their rows with the
// same frequency rules.

#include "radio/Band.h"
#include "radio/ChannelCodec.h"

#include <QString>
#include <vector>

struct FrequencyReading {
    long long units = 0; // exact value in 10 Hz units, truncated: what the checks see
    bool fitsInt32 = true;
    Frequency rounded;   // rounded to 10 Hz: what is shown and stored

    // The number with five decimals ("146.52000").
    QString displayText() const { return FrequencyText(rounded.units); }
};

// Reads the number at the start of `text` (the rest is ignored; no number reads as 0).
FrequencyReading ReadFrequency(const QString& text);

// Whether the number at the start of `text` has so many digits before its point that
// reading it in 10 Hz units could overflow into a value the user never typed: it is
// refused as too long to be a frequency. Shorter numbers read exactly, and one of 1000
// MHz or more is told out of range.
bool IsTooLongForFrequency(const QString& text);

constexpr int kStep5kHz = 500;
constexpr int kStep6_25kHz = 625;
bool IsOnChannelStep(long long units);
bool IsInBand(const FrequencyReading& reading, BandLimits band);

enum class CommitResult {
    Accepted,
    OutOfRange, // "Out of range,please input again."
    OffStep,    // "Error data Value, please input according the step value(6.25K/5k)."
};

// A committed cell as typed values: the channel with the rules applied, and the fields
// whose shown value changed. Only those are written, so a field the commit did not
// change keeps its bytes (a tone code no list offers, an odd frequency byte).
struct CellCommit {
    CommitResult result = CommitResult::Accepted;
    Channel channel;
    ChannelFields changed;
};

// Applies `text`, as committed from the editor of grid column `column`, to channel
// `number` (1..16), which holds `before`. The text is read once, here; a refused
// frequency changes nothing.
CellCommit CommitChannelCell(const Channel& before, int number, int column, const QString& text,
                             BandLimits band);

// One cell of a batch: the text committed into grid column `column` of channel `channel`.
struct ChannelCellText {
    int channel = 0;
    int column = 0;
    QString text;
};

// The first cell of a batch that the channel rules refuse; `result` Accepted when none.
struct CellRefusal {
    CommitResult result = CommitResult::Accepted;
    int channel = 0;
    int column = 0;
    bool refused() const { return result != CommitResult::Accepted; }
};

// Commits `cells` in their order, each as typing it into its cell would (a later cell of
// a channel sees what the earlier ones made of it), and writes only the fields each
// commit changed. When one cell is refused, `image` is left exactly as it was and that
// cell is named: a batch is stored whole or not at all.
CellRefusal CommitChannelCells(const std::vector<ChannelCellText>& cells, BandLimits band,
                               RadioImage& image);

// "Channel 5, Tx Frequency: Out of range,please input again." in `language`.
QString CellRefusalMessage(const CellRefusal& refusal, Language language);

// The texts of a row a paste or an import fills: the settings a new channel starts with,
// written into columns 3..9.
void WriteNewChannelDefaults(ChannelRow& row, Language language);

// Empties columns 1..9 of a row a paste or an import fills.
void BlankChannel(ChannelRow& row);

// The messages of the two refusals, with their caption.
QString CommitMessage(CommitResult result);
inline QString CautionCaption() {
    return QStringLiteral("Caution");
}

// A stored frequency that the grid would refuse if it were typed: one that came from a
// file or a radio. Such channels are kept as they are, but marked and named before a write.
enum class FrequencyFault { OutsideBand, OffStep };
struct ChannelFrequencyFault {
    int channel = 0; // 1..16
    ChannelField field = ChannelField::RxFrequency;
    FrequencyFault fault = FrequencyFault::OutsideBand;
};

// The faults of channel `number` (none when it is empty; an empty transmit frequency is
// receive only). A band of 0..0 names none, so only the step is checked.
std::vector<ChannelFrequencyFault> ChannelFrequencyFaults(const Channel& channel, int number,
                                                          BandLimits band);
// The faults of every programmed channel of `image`, channel by channel.
std::vector<ChannelFrequencyFault> ImageFrequencyFaults(const RadioImage& image, BandLimits band);
// "outside the band (136.00000 - 174.00000 MHz)" or "off the channel step (...)".
QString FrequencyFaultText(FrequencyFault fault, BandLimits band, Language language);
// The fault with its channel and column: "CH 2 Rx Frequency: outside the band (...)".
QString FrequencyFaultLine(const ChannelFrequencyFault& fault, BandLimits band, Language language);

// How many programmed channels have a receive or transmit frequency outside `band`.
int ChannelsOutsideBand(const RadioImage& image, BandLimits band);

// Said once after a band change that leaves `count` channels outside the new band.
QString ChannelsOutsideBandMessage(int count, Language language);
