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

// Whether a typed frequency changes what the grid shows: a typed one is always shown
// (0.00000 too), so it changes an empty cell.
bool ChangesShownFrequency(Frequency before, Frequency typed) {
    return before.isEmpty() || typed != before;
}

CellCommit Unchanged(const Channel& before, CommitResult result = CommitResult::Accepted) {
    return CellCommit{result, before, ChannelFields()};
}

// `field` of `commit.channel` set to the value its empty cell stores, when the grid
// shows it: an empty cell stores a cleared field.
void ClearShownField(CellCommit& commit, const Channel& before, int number, int column) {
    const ChannelField field = FieldOfColumn(column);
    if (!IsFieldShown(before, number, field))
        return;
    ReadCellText(QString(), column, commit.channel);
    commit.changed.set(FieldIndex(field));
}

// An empty receive frequency blanks the channel: every field it shows is cleared.
CellCommit Blanked(const Channel& before, int number) {
    CellCommit commit = Unchanged(before);
    for (int column = kColRxFrequency; column < kChannelColumns; ++column)
        ClearShownField(commit, before, number, column);
    commit.channel.empty = true;
    return commit;
}

CellCommit CommitReceive(const Channel& before, int number, const QString& text,
                         BandLimits band) {
    if (text.isEmpty())
        return Blanked(before, number);
    const FrequencyReading reading = ReadFrequency(text);
    const CommitResult result = CheckFrequency(reading, band);
    if (result != CommitResult::Accepted)
        return Unchanged(before, result);
    CellCommit commit = Unchanged(before);
    if (before.rx.isEmpty()) {
        // A new channel: the simplex transmit frequency and the default settings.
        commit.channel = Channel::newChannelDefaults();
        commit.channel.tx = reading.rounded;
        commit.changed.set();
        commit.changed.set(FieldIndex(ChannelField::TxFrequency),
                           ChangesShownFrequency(before.tx, reading.rounded));
    }
    commit.channel.rx = reading.rounded;
    commit.changed.set(FieldIndex(ChannelField::RxFrequency),
                       ChangesShownFrequency(before.rx, reading.rounded));
    return commit;
}

// An empty transmit frequency makes the channel simplex; a channel without a receive
// frequency takes none.
CellCommit CommitTransmit(const Channel& before, const QString& text, BandLimits band) {
    CellCommit commit = Unchanged(before);
    Frequency& tx = commit.channel.tx;
    bool changed = false;
    if (text.isEmpty()) {
        tx = before.rx;
        changed = tx != before.tx;
    } else {
        const FrequencyReading reading = ReadFrequency(text);
        const CommitResult result = CheckFrequency(reading, band);
        if (result != CommitResult::Accepted)
            return Unchanged(before, result);
        tx = before.rx.isEmpty() ? Frequency{} : reading.rounded;
        changed = before.rx.isEmpty() ? tx != before.tx : ChangesShownFrequency(before.tx, tx);
    }
    commit.changed.set(FieldIndex(ChannelField::TxFrequency), changed);
    return commit;
}

// A channel without frequencies takes no setting: one it shows is cleared.
CellCommit CommitSetting(const Channel& before, int number, int column, const QString& text) {
    CellCommit commit = Unchanged(before);
    if (before.rx.isEmpty() && before.tx.isEmpty()) {
        ClearShownField(commit, before, number, column);
        return commit;
    }
    commit.changed.set(FieldIndex(ReadCellText(text, column, commit.channel)));
    return commit;
}

} // namespace

FrequencyReading ReadFrequency(const QString& text) {
    FrequencyReading reading;
    const double megahertz = LeadingDouble(text);
    reading.units = DecimalMultiplyTruncated(megahertz, kFrequencyScale, &reading.fitsInt32);
    // Five decimals, rounded, like printf("%3.5f"): the value is rounded to 10 Hz.
    const long long rounded = DecimalMultiplyTruncated(megahertz, kFrequencyScale * 2.0);
    reading.rounded = Frequency{rounded >= 0 ? (rounded + 1) / 2 : (rounded - 1) / 2};
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

CellCommit CommitChannelCell(const Channel& before, int number, int column, const QString& text,
                             BandLimits band) {
    switch (FieldOfColumn(column)) {
    case ChannelField::RxFrequency:
        return CommitReceive(before, number, text, band);
    case ChannelField::TxFrequency:
        return CommitTransmit(before, text, band);
    default:
        return CommitSetting(before, number, column, text);
    }
}

CellRefusal CommitChannelCells(const std::vector<ChannelCellText>& cells, BandLimits band,
                               RadioImage& image) {
    RadioImage edited = image;
    for (const ChannelCellText& cell : cells) {
        const CellCommit commit = CommitChannelCell(ReadChannel(edited, cell.channel),
                                                    cell.channel, cell.column, cell.text, band);
        if (commit.result != CommitResult::Accepted)
            return CellRefusal{commit.result, cell.channel, cell.column};
        WriteChannelFields(commit.channel, commit.changed, cell.channel, edited);
    }
    image = edited;
    return CellRefusal{};
}

QString CellRefusalMessage(const CellRefusal& refusal, Language language) {
    return Tr(language, "Channel %1, %2: %3", "信道 %1，%2：%3")
        .arg(refusal.channel)
        .arg(ChannelColumnHeading(refusal.column, language), CommitMessage(refusal.result));
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

std::vector<ChannelFrequencyFault> ChannelFrequencyFaults(const Channel& channel, int number,
                                                          BandLimits band) {
    std::vector<ChannelFrequencyFault> faults;
    if (channel.rx.isEmpty())
        return faults;
    const bool bandKnown = band.high != 0;
    const auto check = [&](Frequency frequency, ChannelField field) {
        if (frequency.isEmpty())
            return;
        if (bandKnown && (frequency.units < band.low || frequency.units > band.high))
            faults.push_back({number, field, FrequencyFault::OutsideBand});
        else if (!IsOnChannelStep(frequency.units))
            faults.push_back({number, field, FrequencyFault::OffStep});
    };
    check(channel.rx, ChannelField::RxFrequency);
    check(channel.tx, ChannelField::TxFrequency);
    return faults;
}

std::vector<ChannelFrequencyFault> ImageFrequencyFaults(const RadioImage& image, BandLimits band) {
    std::vector<ChannelFrequencyFault> faults;
    for (int number = 1; number <= ImageMap::kChannelCount; ++number) {
        const auto channelFaults = ChannelFrequencyFaults(ReadChannel(image, number), number, band);
        faults.insert(faults.end(), channelFaults.begin(), channelFaults.end());
    }
    return faults;
}

QString FrequencyFaultText(FrequencyFault fault, BandLimits band, Language language) {
    if (fault == FrequencyFault::OffStep)
        return Tr(language, "off the channel step (5 kHz / 6.25 kHz)",
                  "不在信道步進上（5 kHz / 6.25 kHz）");
    return Tr(language, "outside the band (%1 - %2 MHz)", "超出頻段（%1 - %2 MHz）")
        .arg(FrequencyText(band.low), FrequencyText(band.high));
}

QString FrequencyFaultLine(const ChannelFrequencyFault& fault, BandLimits band, Language language) {
    const int column = static_cast<int>(FieldIndex(fault.field)) + kColRxFrequency;
    return QStringLiteral("CH %1 %2: %3")
        .arg(fault.channel)
        .arg(ChannelColumnHeading(column, language),
             FrequencyFaultText(fault.fault, band, language));
}

int ChannelsOutsideBand(const RadioImage& image, BandLimits band) {
    int count = 0;
    int lastCounted = 0;
    for (const ChannelFrequencyFault& fault : ImageFrequencyFaults(image, band)) {
        if (fault.fault == FrequencyFault::OutsideBand && fault.channel != lastCounted) {
            ++count;
            lastCounted = fault.channel;
        }
    }
    return count;
}

QString ChannelsOutsideBandMessage(int count, Language language) {
    return Tr(language,
              "%1 programmed channel(s) lie outside the new band. They are kept as they are.",
              "有 %1 個已編程信道不在新頻段內，已按原樣保留。")
        .arg(count);
}
