#pragma once
// The rules that keep a channel row consistent when one of its cells is committed:
// frequency checks against the band and the channel steps, defaults for a new channel,
// blanking, the simplex copy, and no settings on an empty channel. The channel grid
// and the CSV import both apply them.

#include "radio/Band.h"
#include "radio/ChannelCodec.h"

#include <QString>

struct FrequencyReading {
    QString displayText; // the number with five decimals ("146.52000")
    long long units = 0; // exact value in 10 Hz units, truncated
    bool fitsInt32 = true;
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

// Writes `text`, as committed from the editor of `column`, into `row` with the row
// rules applied. A rejected frequency leaves the row as it was: the channel keeps its
// bytes and the cell its previous text.
CommitResult CommitChannelCell(ChannelRow& row, int column, const QString& text, BandLimits band,
                               Language language);

// The settings a new channel starts with, written into columns 3..9.
void WriteNewChannelDefaults(ChannelRow& row, Language language);

// Empties columns 1..9.
void BlankChannel(ChannelRow& row);

// The messages of the two refusals, with their caption.
QString CommitMessage(CommitResult result);
inline QString CautionCaption() {
    return QStringLiteral("Caution");
}

// How many programmed channels have a receive or transmit frequency outside `band`.
int ChannelsOutsideBand(const RadioImage& image, BandLimits band);

// Said once after a band change that leaves `count` channels outside the new band.
QString ChannelsOutsideBandMessage(int count, Language language);
