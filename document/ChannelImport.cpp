#include "document/ChannelImport.h"

#include "radio/MessageText.h"
#include "radio/OwnTexts.h"
#include "radio/TextNumbers.h"
#include "radio/ToneCodes.h"

#include <array>

namespace {

// A frequency must be below 1000 MHz: eight BCD digits of 10 Hz hold no more.
constexpr long long kFrequencyCeiling = 100000000;

struct ColumnWords {
    int column;
    std::vector<Word> words;
};

const std::array<ColumnWords, 5> kWordColumns = {{
    {kColPower, {Word::High, Word::Low}},
    {kColScanAdd, {Word::ScanYes, Word::ScanNo}},
    {kColBusyLock, {Word::BusyOff, Word::BusyCarrier, Word::BusyTone}},
    {kColBandwidth, {Word::Wide, Word::Narrow}},
    {kColCompand, {Word::CompandYes, Word::CompandNo}},
}};

class RowChecker {
public:
    RowChecker(const ChannelRecord& record, const ImportOptions& options)
        : m_record(record), m_options(options) {}

    QString text(int column) const { return m_record.cells[column]; }
    bool receiveOnly() const { return m_record.receiveOnly; }

    QString fail(int column, const QString& what) const {
        return OwnText("line %1, column \"%2\": %3")
            .arg(m_record.line)
            .arg(m_record.columnNames[column], what);
    }

    // Returns the display text of a valid frequency, or sets `error`.
    QString frequency(int column, QString* error) const {
        const QString value = text(column).trimmed();
        const QString allowed = BandDescription();
        const FrequencyReading reading = ReadFrequency(value);
        if (!IsPlainDecimal(value) || reading.units <= 0) {
            *error = fail(column, OwnText("\"%1\" is not a frequency; allowed: %2 MHz")
                                      .arg(ShortenedForMessage(value), allowed));
            return QString();
        }
        if (IsTooLongForFrequency(value)) {
            *error = fail(column, OwnText("\"%1\" is too long to be a frequency; allowed: "
                                          "%2 MHz")
                                      .arg(ShortenedForMessage(value), allowed));
            return QString();
        }
        const bool inBand = m_options.band ? IsInBand(reading, *m_options.band)
                                           : reading.units < kFrequencyCeiling;
        if (!inBand || reading.units >= kFrequencyCeiling) {
            *error = fail(column, OwnText("%1 MHz is out of range; allowed: %2 MHz")
                                      .arg(ShortenedForMessage(value), allowed));
            return QString();
        }
        if (!IsOnChannelStep(reading.units)) {
            *error = fail(column, OwnText("%1 MHz is on neither the 5 kHz nor the 6.25 kHz "
                                          "channel step")
                                      .arg(ShortenedForMessage(value)));
            return QString();
        }
        return reading.displayText();
    }

    bool tone(int column, QString* error) const {
        const QString value = text(column);
        if (ToneListIndex(value) >= 0)
            return true;
        *error = fail(column, OwnText("\"%1\" is not a tone; allowed: None, a CTCSS tone "
                                      "such as 67.0, or a DCS code such as D023N or D023I")
                                  .arg(ShortenedForMessage(value)));
        return false;
    }

    bool word(const ColumnWords& wordColumn, QString* error) const {
        const QString value = text(wordColumn.column);
        QStringList allowed;
        for (Word w : wordColumn.words) {
            if (IsWord(value, w))
                return true;
            allowed << WordText(w, Language::English) + u'/' + WordText(w, Language::Chinese);
        }
        *error = fail(wordColumn.column, OwnText("\"%1\" is not allowed; allowed: %2")
                                             .arg(ShortenedForMessage(value), allowed.join(u", ")));
        return false;
    }

private:
    QString BandDescription() const {
        if (!m_options.band)
            return OwnText("below 1000");
        return OwnText("%1 to %2")
            .arg(FrequencyText(m_options.band->low), FrequencyText(m_options.band->high));
    }

    const ChannelRecord& m_record;
    const ImportOptions& m_options;
};

bool MapHeader(const CsvRow& header, std::array<int, kChannelColumns>* fieldOf, QString* error) {
    fieldOf->fill(-1);
    for (int f = 0; f < header.fields.size(); ++f) {
        const QString name = header.fields[f].trimmed();
        int column = -1;
        for (int c = 0; c < kChannelColumns; ++c) {
            if (name == ChannelColumnHeading(c, Language::English) ||
                name == ChannelColumnHeading(c, Language::Chinese))
                column = c;
        }
        if (column < 0 || (*fieldOf)[column] >= 0) {
            *error = OwnText("line %1, column %2: \"%3\" is not a column heading, or it is "
                             "repeated; the headings are CH, Rx Frequency, Tx Frequency, "
                             "QT/DQT Dec, QT/DQT Enc, Power, Scan Add, Busy Lock, W/N, Compand")
                         .arg(header.line)
                         .arg(f + 1)
                         .arg(ShortenedForMessage(name));
            return false;
        }
        (*fieldOf)[column] = f;
    }
    for (int c = 0; c < kChannelColumns; ++c) {
        if ((*fieldOf)[c] < 0) {
            *error = OwnText("line %1: the heading \"%2\" is missing")
                         .arg(header.line)
                         .arg(ChannelColumnHeading(c, Language::English));
            return false;
        }
    }
    return true;
}

bool ImportRow(const RowChecker& check, ChannelRow* row, QString* error) {
    BlankChannel(*row);
    if (check.text(kColRxFrequency).trimmed().isEmpty())
        return true; // an empty receive frequency blanks the channel
    const QString rx = check.frequency(kColRxFrequency, error);
    if (rx.isEmpty())
        return false;
    QString tx = check.receiveOnly() ? QString() : rx;
    if (!check.text(kColTxFrequency).trimmed().isEmpty()) {
        tx = check.frequency(kColTxFrequency, error);
        if (tx.isEmpty())
            return false;
    }
    for (int column : {kColDecodeTone, kColEncodeTone}) {
        if (!check.tone(column, error))
            return false;
    }
    for (const ColumnWords& wordColumn : kWordColumns) {
        if (!check.word(wordColumn, error))
            return false;
    }
    (*row)[kColRxFrequency] = rx;
    (*row)[kColTxFrequency] = tx;
    for (int column = kColDecodeTone; column < kChannelColumns; ++column)
        (*row)[column] = check.text(column);
    return true;
}

QString ChannelFailure(const CsvRow& row, const QString& value) {
    return OwnText("line %1, column \"CH\": \"%2\" is not a channel; allowed: 1 to 16, "
                   "each at most once")
        .arg(row.line)
        .arg(ShortenedForMessage(value));
}

} // namespace

const std::vector<Word>& WordsOfColumn(int column) {
    static const std::vector<Word> none;
    for (const ColumnWords& wordColumn : kWordColumns) {
        if (wordColumn.column == column)
            return wordColumn.words;
    }
    return none;
}

std::array<QString, kChannelColumns> OwnColumnNames() {
    std::array<QString, kChannelColumns> names;
    for (int c = 0; c < kChannelColumns; ++c)
        names[c] = ChannelColumnHeading(c, Language::English);
    return names;
}

OwnLayoutRecords::OwnLayoutRecords(const CsvRow& header) : m_header(header) {}

bool OwnLayoutRecords::readHeader(QString* error) {
    return MapHeader(m_header, &m_fieldOf, error);
}

bool OwnLayoutRecords::read(const CsvRow& row, ChannelRecord* record, QString* error) const {
    if (row.fields.size() != m_header.fields.size()) {
        *error = OwnText("line %1: %2 fields where the header has %3")
                     .arg(row.line)
                     .arg(row.fields.size())
                     .arg(m_header.fields.size());
        return false;
    }
    static const std::array<QString, kChannelColumns> names = OwnColumnNames();
    record->line = row.line;
    record->columnNames = names;
    for (int c = 0; c < kChannelColumns; ++c)
        record->cells[c] = row.fields.value(m_fieldOf[c]);
    if (!ReadWholeNumber(record->cells[kColNumber].trimmed(), &record->channel)) {
        *error = ChannelFailure(row, record->cells[kColNumber]);
        return false;
    }
    return true;
}

bool ReadOwnLayout(const std::vector<CsvRow>& rows, std::vector<ChannelRecord>* records,
                   QString* error) {
    records->clear();
    if (rows.empty()) {
        *error = OwnText("the file has no header line");
        return false;
    }
    OwnLayoutRecords reader(rows[0]);
    if (!reader.readHeader(error))
        return false;
    for (std::size_t r = 1; r < rows.size(); ++r) {
        ChannelRecord record;
        if (!reader.read(rows[r], &record, error))
            return false;
        records->push_back(record);
    }
    return true;
}

ChannelRecordChecks::ChannelRecordChecks(const ImportOptions& options, const ChannelTable& table)
    : m_options(options), m_result(table) {}

bool ChannelRecordChecks::apply(const ChannelRecord& record, QString* error) {
    const RowChecker check(record, m_options);
    const int channel = record.channel;
    if (channel < 1 || channel > ImageMap::kChannelCount) {
        *error = check.fail(kColNumber, OwnText("\"%1\" is not a channel; allowed: 1 to "
                                                "16, each at most once")
                                            .arg(ShortenedForMessage(check.text(kColNumber))));
        return false;
    }
    int& firstLine = m_lineOf[channel - 1];
    if (firstLine > 0) {
        *error = OwnText("%1 %2 appears twice: lines %3 and %4")
                     .arg(record.columnNames[kColNumber])
                     .arg(channel)
                     .arg(firstLine)
                     .arg(record.line);
        return false;
    }
    firstLine = record.line;
    return ImportRow(check, &m_result[channel - 1], error);
}

bool ApplyChannelRecords(const std::vector<ChannelRecord>& records, const ImportOptions& options,
                         ChannelTable& table, QString* error) {
    ChannelRecordChecks checks(options, table);
    for (const ChannelRecord& record : records) {
        if (!checks.apply(record, error))
            return false;
    }
    table = checks.table();
    return true;
}
