#include "document/ChannelEdit.h"

#include "radio/ChannelRecord.h"
#include "radio/DecimalMultiply.h"
#include "radio/TextNumbers.h"

namespace {

constexpr int kFrequencyScale = 100000;
// Up to 999 999 999 MHz: 10^14 units of 10 Hz, exact in a double and a long long.
constexpr int kReadableIntegerDigits = 9;

CommitResult CheckFrequency(const FrequencyReading& reading, BandLimits band) {
    if (!IsInBand(reading, band))
        return CommitResult::OutOfRange;
    if (!IsOnChannelStep(reading.units))
        return CommitResult::OffStep;
    return CommitResult::Accepted;
}

} // namespace

FrequencyReading ReadFrequency(const QString& text) {
    FrequencyReading reading;
    const double megahertz = LeadingDouble(text);
    reading.units = DecimalMultiplyTruncated(megahertz, kFrequencyScale, &reading.fitsInt32);
    // Five decimals, rounded, like printf("%3.5f"): the value is rounded to 10 Hz.
    const long long rounded = DecimalMultiplyTruncated(megahertz, kFrequencyScale * 2.0);
    const long long half = rounded >= 0 ? (rounded + 1) / 2 : (rounded - 1) / 2;
    reading.displayText = FrequencyText(half);
    return reading;
}

bool IsTooLongForFrequency(const QString& text) {
    return LeadingIntegerDigits(text) > kReadableIntegerDigits;
}

bool IsOnChannelStep(long long units) {
    return units % kStep5kHz == 0 || units % kStep6_25kHz == 0;
}

bool IsInBand(const FrequencyReading& reading, BandLimits band) {
    return reading.fitsInt32 && reading.units >= band.low && reading.units <= band.high;
}

void WriteNewChannelDefaults(ChannelRow& row, Language language) {
    const ChannelRow defaults =
        ChannelCellTexts(Channel::newChannelDefaults(), 1, language);
    std::copy(defaults.begin() + kColDecodeTone, defaults.end(), row.begin() + kColDecodeTone);
}

void BlankChannel(ChannelRow& row) {
    for (int column = kColRxFrequency; column < kChannelColumns; ++column)
        row[column].clear();
}

CommitResult CommitChannelCell(ChannelRow& row, int column, const QString& text, BandLimits band,
                               Language language) {
    const QString rx0 = row[kColRxFrequency];
    const QString tx0 = row[kColTxFrequency];

    if (column == kColRxFrequency) {
        if (text.isEmpty()) {
            BlankChannel(row);
            return CommitResult::Accepted;
        }
        const FrequencyReading reading = ReadFrequency(text);
        const CommitResult result = CheckFrequency(reading, band);
        if (result != CommitResult::Accepted)
            return result;
        row[kColRxFrequency] = reading.displayText;
        if (rx0.isEmpty()) {
            row[kColTxFrequency] = reading.displayText;
            WriteNewChannelDefaults(row, language);
        }
        return CommitResult::Accepted;
    }

    if (column == kColTxFrequency) {
        if (text.isEmpty()) {
            row[kColTxFrequency] = rx0; // simplex
            return CommitResult::Accepted;
        }
        const FrequencyReading reading = ReadFrequency(text);
        const CommitResult result = CheckFrequency(reading, band);
        if (result != CommitResult::Accepted)
            return result;
        row[kColTxFrequency] = rx0.isEmpty() ? QString() : reading.displayText;
        return CommitResult::Accepted;
    }

    // Settings columns: an empty channel takes none.
    row[column] = (rx0.isEmpty() && tx0.isEmpty()) ? QString() : text;
    return CommitResult::Accepted;
}

QString CommitMessage(CommitResult result) {
    switch (result) {
    case CommitResult::OutOfRange:
        return QStringLiteral("Out of range,please input again.");
    case CommitResult::OffStep:
        return QStringLiteral("Error data Value, please input according the step value(6.25K/5k).");
    case CommitResult::Accepted:
        break;
    }
    return QString();
}

int ChannelsOutsideBand(const RadioImage& image, BandLimits band) {
    const auto inside = [band](Frequency f) { return f.units >= band.low && f.units <= band.high; };
    int count = 0;
    for (int number = 1; number <= ImageMap::kChannelCount; ++number) {
        const Channel channel = ReadChannel(image, number);
        if (channel.rx.isEmpty())
            continue;
        if (!inside(channel.rx) || (!channel.tx.isEmpty() && !inside(channel.tx)))
            ++count;
    }
    return count;
}

QString ChannelsOutsideBandMessage(int count, Language language) {
    return Tr(language,
              "%1 programmed channel(s) lie outside the new band. They are kept as they are.",
              "有 %1 個已編程信道不在新頻段內，已按原樣保留。")
        .arg(count);
}
