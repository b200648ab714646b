#include "document/CommonCsvLayout.h"

#include "radio/ChannelCodec.h"
#include "radio/DecimalMultiply.h"
#include "radio/MessageText.h"
#include "radio/OwnTexts.h"
#include "radio/TextNumbers.h"
#include "radio/ToneCodes.h"

#include <QHash>
#include <algorithm>

namespace {

// Columns without which a row cannot be read; Name, TStep and Comment are never used.
const QStringList& RequiredColumns() {
    static const QStringList columns = {
        QStringLiteral("Location"),  QStringLiteral("Frequency"), QStringLiteral("Duplex"),
        QStringLiteral("Offset"),    QStringLiteral("Tone"),      QStringLiteral("rToneFreq"),
        QStringLiteral("cToneFreq"), QStringLiteral("DtcsCode"),  QStringLiteral("DtcsPolarity"),
        QStringLiteral("Mode"),      QStringLiteral("Skip")};
    return columns;
}

// One data row, read by column name; a missing field is empty.
class CommonRow {
public:
    CommonRow(const CsvRow& row, const QHash<QString, int>& fieldOf) : m_row(row), m_fieldOf(fieldOf) {}

    int line() const { return m_row.line; }
    bool has(const QString& column) const { return m_fieldOf.contains(column); }
    QString text(const QString& column) const {
        return has(column) ? m_row.fields.value(m_fieldOf.value(column)).trimmed() : QString();
    }
    bool isBlank() const {
        return std::all_of(m_row.fields.begin(), m_row.fields.end(),
                           [](const QString& f) { return f.trimmed().isEmpty(); });
    }
    QString fail(const QString& column, const QString& what) const {
        return OwnText("line %1, column \"%2\": %3").arg(m_row.line).arg(column, what);
    }
    QString refuse(const QString& column, const QString& allowed) const {
        return fail(column, OwnText("\"%1\" is not supported; allowed: %2")
                                .arg(ShortenedForMessage(text(column)), allowed));
    }

private:
    const CsvRow& m_row;
    const QHash<QString, int>& m_fieldOf;
};

bool MapCommonHeader(const CsvRow& header, QHash<QString, int>* fieldOf, QString* error) {
    for (int f = 0; f < header.fields.size(); ++f) {
        const QString name = header.fields[f].trimmed();
        if (!name.isEmpty() && !fieldOf->contains(name))
            fieldOf->insert(name, f);
    }
    for (const QString& column : RequiredColumns()) {
        if (!fieldOf->contains(column)) {
            *error = OwnText("line %1: the heading \"%2\" is missing").arg(header.line).arg(column);
            return false;
        }
    }
    return true;
}

bool ReadLocation(const CommonRow& row, int* location) {
    return ReadWholeNumber(row.text(QStringLiteral("Location")).trimmed(), location);
}

// --- tones -----------------------------------------------------------------------

// A CTCSS tone as the grid writes it ("88.5"), or empty with `error` set.
QString CtcssTone(const CommonRow& row, const QString& column, QString* error) {
    bool found = false;
    const double hertz = LeadingDouble(row.text(column), &found);
    const QString tone = FormatFixedPoint(found ? DecimalMultiplyTruncated(hertz, 10) : 0, 1);
    if (ToneListIndex(tone) <= 0) {
        *error = row.fail(column, OwnText("\"%1\" is not a CTCSS tone of the radio; allowed: "
                                          "67.0 to 254.1 Hz from the standard list")
                                      .arg(ShortenedForMessage(row.text(column))));
        return QString();
    }
    return tone;
}

// A DCS code as the grid writes it ("D023N"); `polarityLetter` is N (normal) or R
// (reversed, our inverted form).
QString DcsTone(const CommonRow& row, const QString& column, QChar polarityLetter, QString* error) {
    int code = 0;
    const bool isNumber = ReadWholeNumber(row.text(column).trimmed(), &code);
    const QString tone = QStringLiteral("D%1%2").arg(code, 3, 10, QLatin1Char('0')).arg(QChar(polarityLetter == u'R' ? u'I' : u'N'));
    if (!isNumber || ToneListIndex(tone) <= 0) {
        *error = row.fail(column, OwnText("\"%1\" is not a DCS code of the radio; allowed: "
                                          "023 to 754 from the standard list")
                                      .arg(ShortenedForMessage(row.text(column))));
        return QString();
    }
    return tone;
}

// DtcsPolarity: two letters N/R, transmit then receive; empty means both normal.
bool ReadPolarity(const CommonRow& row, QChar* transmit, QChar* receive, QString* error) {
    QString value = row.text(QStringLiteral("DtcsPolarity")).toUpper();
    if (value.isEmpty())
        value = QStringLiteral("NN");
    const auto isLetter = [](QChar c) { return c == u'N' || c == u'R'; };
    if (value.size() != 2 || !isLetter(value[0]) || !isLetter(value[1])) {
        *error = row.refuse(QStringLiteral("DtcsPolarity"), QStringLiteral("NN, NR, RN, RR"));
        return false;
    }
    *transmit = value[0];
    *receive = value[1];
    return true;
}

const QString kNoTone = QStringLiteral("None");

// Sets the encode and decode cells (and their column names) from Tone and CrossMode.
bool MapTones(const CommonRow& row, ChannelRecord* record, QString* error) {
    QString& encode = record->cells[kColEncodeTone];
    QString& decode = record->cells[kColDecodeTone];
    encode = decode = kNoTone;
    QChar txPolarity, rxPolarity;
    const QString mode = row.text(QStringLiteral("Tone"));
    const QString rTone = QStringLiteral("rToneFreq"), cTone = QStringLiteral("cToneFreq");
    const QString dtcs = QStringLiteral("DtcsCode");
    const QString rxDtcs = row.has(QStringLiteral("RxDtcsCode")) ? QStringLiteral("RxDtcsCode") : dtcs;
    const auto ctcss = [&](const QString& column, QString* cell, int gridColumn) {
        *cell = CtcssTone(row, column, error);
        record->columnNames[gridColumn] = column;
        return !cell->isEmpty();
    };
    const auto dcs = [&](const QString& column, QChar polarity, QString* cell, int gridColumn) {
        *cell = DcsTone(row, column, polarity, error);
        record->columnNames[gridColumn] = column;
        return !cell->isEmpty();
    };
    if (mode.isEmpty())
        return true;
    if (mode == QLatin1String("Tone"))
        return ctcss(rTone, &encode, kColEncodeTone);
    if (mode == QLatin1String("TSQL"))
        return ctcss(cTone, &encode, kColEncodeTone) && ctcss(cTone, &decode, kColDecodeTone);
    if (mode == QLatin1String("DTCS")) {
        return ReadPolarity(row, &txPolarity, &rxPolarity, error) &&
               dcs(dtcs, txPolarity, &encode, kColEncodeTone) &&
               dcs(dtcs, rxPolarity, &decode, kColDecodeTone);
    }
    if (mode != QLatin1String("Cross")) {
        *error = row.refuse(QStringLiteral("Tone"), OwnText("empty, Tone, TSQL, DTCS, Cross"));
        return false;
    }
    const QString cross = row.text(QStringLiteral("CrossMode"));
    const int arrow = cross.indexOf(QStringLiteral("->"));
    const QString txKind = arrow < 0 ? QString() : cross.left(arrow);
    const QString rxKind = arrow < 0 ? QString() : cross.mid(arrow + 2);
    const auto known = [](const QString& kind) {
        return kind.isEmpty() || kind == QLatin1String("Tone") || kind == QLatin1String("DTCS");
    };
    if (arrow < 0 || !known(txKind) || !known(rxKind) || (txKind.isEmpty() && rxKind.isEmpty())) {
        *error = row.refuse(QStringLiteral("CrossMode"),
                            QStringLiteral("Tone->Tone, Tone->DTCS, DTCS->Tone, ->Tone, ->DTCS, "
                                           "DTCS->, DTCS->DTCS"));
        return false;
    }
    if (!ReadPolarity(row, &txPolarity, &rxPolarity, error))
        return false;
    if (txKind == QLatin1String("Tone") && !ctcss(rTone, &encode, kColEncodeTone))
        return false;
    if (txKind == QLatin1String("DTCS") && !dcs(dtcs, txPolarity, &encode, kColEncodeTone))
        return false;
    if (rxKind == QLatin1String("Tone") && !ctcss(cTone, &decode, kColDecodeTone))
        return false;
    if (rxKind == QLatin1String("DTCS") && !dcs(rxDtcs, rxPolarity, &decode, kColDecodeTone))
        return false;
    return true;
}

// --- frequencies, mode, skip, power ----------------------------------------------

bool MapFrequencies(const CommonRow& row, ChannelRecord* record, QString* error) {
    const QString frequency = QStringLiteral("Frequency"), offset = QStringLiteral("Offset");
    record->cells[kColRxFrequency] = row.text(frequency);
    record->columnNames[kColRxFrequency] = frequency;
    record->columnNames[kColTxFrequency] = offset;
    const QString duplex = row.text(QStringLiteral("Duplex")).toLower();
    if (duplex.isEmpty()) {
        record->columnNames[kColTxFrequency] = frequency;
        return true; // an empty transmit cell takes the receive frequency
    }
    if (duplex == QLatin1String("off")) {
        record->receiveOnly = true;
        return true;
    }
    if (duplex == QLatin1String("split")) {
        record->cells[kColTxFrequency] = row.text(offset);
        return true;
    }
    if (duplex != QLatin1String("+") && duplex != QLatin1String("-")) {
        *error = row.refuse(QStringLiteral("Duplex"), OwnText("empty, +, -, split, off"));
        return false;
    }
    bool found = false;
    LeadingDouble(row.text(offset), &found);
    if (!found) {
        *error = row.fail(
            offset,
            OwnText("\"%1\" is not an offset in MHz").arg(ShortenedForMessage(row.text(offset))));
        return false;
    }
    if (IsTooLongForFrequency(row.text(offset))) {
        *error = row.fail(offset, OwnText("\"%1\" is too long to be an offset in MHz")
                                      .arg(ShortenedForMessage(row.text(offset))));
        return false;
    }
    const long long rx = ReadFrequency(row.text(frequency)).units;
    const long long shift = ReadFrequency(row.text(offset)).units;
    const long long tx = duplex == QLatin1String("+") ? rx + shift : rx - shift;
    if (tx <= 0) {
        *error = row.fail(offset, OwnText("%1 MHz below %2 MHz leaves no transmit frequency")
                                      .arg(ShortenedForMessage(row.text(offset)),
                                           ShortenedForMessage(row.text(frequency))));
        return false;
    }
    record->cells[kColTxFrequency] = FrequencyText(tx);
    return true;
}

bool MapModeAndSkip(const CommonRow& row, ChannelRecord* record, QString* error) {
    const QString mode = row.text(QStringLiteral("Mode"));
    record->columnNames[kColBandwidth] = QStringLiteral("Mode");
    if (mode == QLatin1String("FM"))
        record->cells[kColBandwidth] = WordText(Word::Wide, Language::English);
    else if (mode == QLatin1String("NFM"))
        record->cells[kColBandwidth] = WordText(Word::Narrow, Language::English);
    else {
        *error = row.refuse(QStringLiteral("Mode"), OwnText("FM (wide), NFM (narrow)"));
        return false;
    }
    const QString skip = row.text(QStringLiteral("Skip"));
    record->columnNames[kColScanAdd] = QStringLiteral("Skip");
    if (skip.isEmpty())
        record->cells[kColScanAdd] = WordText(Word::ScanYes, Language::English);
    else if (skip == QLatin1String("S"))
        record->cells[kColScanAdd] = WordText(Word::ScanNo, Language::English);
    else {
        *error = row.refuse(QStringLiteral("Skip"), OwnText("empty (scanned), S (skipped)"));
        return false;
    }
    return true;
}

// Where a wattage stops being Low: halfway between the model's Low and High, or, when
// the model's watts are not known, the file's largest wattage.
double HighFromWatts(const std::optional<ModelWatts>& model, double highestInFile) {
    return model ? (model->highTenths + model->lowTenths) / 20.0 : highestInFile;
}

// Power: "High..."/"Low...", or watts, High from `highFrom` on.
bool MapPower(const CommonRow& row, double highFrom, ChannelRecord* record, QString* error) {
    const QString power = row.text(QStringLiteral("Power"));
    record->columnNames[kColPower] = QStringLiteral("Power");
    bool isHigh = true;
    bool found = false;
    const double watts = LeadingDouble(power, &found);
    if (power.startsWith(QLatin1String("Low"), Qt::CaseInsensitive))
        isHigh = false;
    else if (found)
        isHigh = watts >= highFrom;
    else if (!power.isEmpty() && !power.startsWith(QLatin1String("High"), Qt::CaseInsensitive)) {
        *error = row.refuse(QStringLiteral("Power"), QStringLiteral("High, Low, or watts such as 5.0W"));
        return false;
    }
    record->cells[kColPower] = WordText(isHigh ? Word::High : Word::Low, Language::English);
    return true;
}

double HighestWatts(const std::vector<CommonRow>& rows) {
    double highest = 0;
    for (const CommonRow& row : rows) {
        bool found = false;
        const double watts = LeadingDouble(row.text(QStringLiteral("Power")), &found);
        if (found)
            highest = std::max(highest, watts);
    }
    return highest;
}

// Busy Lock and Compand are not in the layout: a programmed channel keeps its own.
void KeepUnlistedColumns(const ChannelRow& base, ChannelRecord* record) {
    const bool programmed = !base[kColBusyLock].isEmpty() && !base[kColCompand].isEmpty();
    record->cells[kColBusyLock] =
        programmed ? base[kColBusyLock] : WordText(Word::BusyOff, Language::English);
    record->cells[kColCompand] =
        programmed ? base[kColCompand] : WordText(Word::CompandNo, Language::English);
}

bool MapRow(const CommonRow& row, int channel, double highFrom, const ChannelTable& base,
            ChannelRecord* record, QString* error) {
    record->line = row.line();
    record->channel = channel;
    record->cells[kColNumber] = row.text(QStringLiteral("Location"));
    record->columnNames = OwnColumnNames();
    record->columnNames[kColNumber] = QStringLiteral("Location");
    if (row.text(QStringLiteral("Frequency")).isEmpty())
        return true; // no frequency: the channel is blanked
    KeepUnlistedColumns(base[channel - 1], record);
    return MapFrequencies(row, record, error) && MapTones(row, record, error) &&
           MapModeAndSkip(row, record, error) && MapPower(row, highFrom, record, error);
}

// The rows to import, in file order, and the channel of each.
bool PlaceRows(const std::vector<CommonRow>& all, const ImportOptions& options,
               std::vector<CommonRow>* kept, std::vector<int>* channels, QString* error) {
    for (const CommonRow& row : all) {
        int location = 0;
        if (!ReadLocation(row, &location)) {
            *error = row.fail(QStringLiteral("Location"),
                              OwnText("\"%1\" is not a number")
                                  .arg(ShortenedForMessage(row.text(QStringLiteral("Location")))));
            return false;
        }
        if (options.rows && (location < options.rows->first || location > options.rows->last))
            continue;
        if (!options.firstChannel && (location < 1 || location > ImageMap::kChannelCount)) {
            *error = row.fail(QStringLiteral("Location"),
                              OwnText("%1 is not a channel 1 to 16; choose the rows with "
                                      "--rows A-B and place them with --first-channel N")
                                  .arg(location));
            return false;
        }
        kept->push_back(row);
        channels->push_back(options.firstChannel ? *options.firstChannel + int(channels->size())
                                                 : location);
    }
    if (options.rows && kept->empty()) {
        *error = OwnText("no row has a Location from %1 to %2")
                     .arg(options.rows->first)
                     .arg(options.rows->last);
        return false;
    }
    if (options.firstChannel && !kept->empty() && channels->back() > ImageMap::kChannelCount) {
        const int fit = ImageMap::kChannelCount - *options.firstChannel + 1;
        *error = OwnText("%1 rows do not fit from channel %2 on: only %3 fit (channels %2 "
                         "to 16); choose fewer with --rows A-B")
                     .arg(kept->size())
                     .arg(*options.firstChannel)
                     .arg(fit);
        return false;
    }
    return true;
}

std::vector<CommonRow> DataRows(const std::vector<CsvRow>& rows, const QHash<QString, int>& fieldOf) {
    std::vector<CommonRow> data;
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const CommonRow row(rows[r], fieldOf);
        if (!row.isBlank())
            data.push_back(row);
    }
    return data;
}

} // namespace

bool IsCommonLayoutHeader(const CsvRow& header) {
    return !header.fields.isEmpty() && header.fields.first().trimmed() == QLatin1String("Location");
}

LocationSpan CommonLayoutLocations(const std::vector<CsvRow>& rows) {
    LocationSpan span;
    QHash<QString, int> fieldOf;
    QString ignored;
    if (rows.empty() || !MapCommonHeader(rows[0], &fieldOf, &ignored))
        return span;
    for (const CommonRow& row : DataRows(rows, fieldOf)) {
        int location = 0;
        if (!ReadLocation(row, &location))
            continue;
        span.lowest = span.rows == 0 ? location : std::min(span.lowest, location);
        span.highest = span.rows == 0 ? location : std::max(span.highest, location);
        ++span.rows;
        if (location < 1 || location > ImageMap::kChannelCount)
            span.fitsChannels = false;
    }
    return span;
}

bool ReadCommonLayout(const std::vector<CsvRow>& rows, const ImportOptions& options,
                      const ChannelTable& base, std::vector<ChannelRecord>* records,
                      CommonLayoutNotes* notes, QString* error) {
    records->clear();
    QHash<QString, int> fieldOf;
    if (rows.empty() || !MapCommonHeader(rows[0], &fieldOf, error))
        return false;
    const std::vector<CommonRow> data = DataRows(rows, fieldOf);
    std::vector<CommonRow> kept;
    std::vector<int> channels;
    if (!PlaceRows(data, options, &kept, &channels, error))
        return false;
    // The whole file's largest wattage: a row means the same whatever --rows keeps.
    const double highFrom = HighFromWatts(options.watts, HighestWatts(data));
    for (std::size_t i = 0; i < kept.size(); ++i) {
        ChannelRecord record;
        if (!MapRow(kept[i], channels[i], highFrom, base, &record, error))
            return false;
        if (!kept[i].text(QStringLiteral("Name")).isEmpty() ||
            !kept[i].text(QStringLiteral("Comment")).isEmpty())
            notes->namesDropped = true;
        records->push_back(record);
    }
    return true;
}
