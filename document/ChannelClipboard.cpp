#include "document/ChannelClipboard.h"

#include "document/ChannelImport.h"
#include "radio/TextNumbers.h"
#include "files/Csv.h"
#include "radio/OwnTexts.h"
#include "radio/ToneCodes.h"

#include <algorithm>

namespace {

constexpr QChar kTab = u'\t';

// Tab-separated lines; a field is never quoted (no channel text holds a tab).
std::vector<CsvRow> SplitTabbedRows(const QString& text) {
    std::vector<CsvRow> rows;
    const QStringList lines = text.split(u'\n');
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (!line.isEmpty())
            rows.push_back({i + 1, line.split(kTab)});
    }
    return rows;
}

// A header names columns: its first field is one of our headings. A first field such
// as "146.61" is data, whatever it is not.
bool IsHeaderRow(const CsvRow& row) {
    const QString first = row.fields.value(0).trimmed();
    for (int c = 0; c < kChannelColumns; ++c) {
        if (first == ChannelColumnHeading(c, Language::English) ||
            first == ChannelColumnHeading(c, Language::Chinese))
            return true;
    }
    return false;
}

// `text` as the list of `column` writes it, found whatever its letter case; `text`
// itself when the list has no such entry (the row checks then name it).
QString ListEntry(int column, const QString& text, Language language) {
    if (column == kColDecodeTone || column == kColEncodeTone) {
        const int index = ToneListIndex(text, Qt::CaseInsensitive);
        return index < 0 ? text : ToneList(language)[index];
    }
    for (Word word : WordsOfColumn(column)) {
        for (Language form : {Language::English, Language::Chinese}) {
            if (WordText(word, form).compare(text, Qt::CaseInsensitive) == 0)
                return WordText(word, language);
        }
    }
    return text;
}

// A block of cells copied from a spreadsheet (rows of fewer fields than a channel has,
// say only receive frequencies): row i goes into channel first + i, its fields into the
// columns from `firstColumn` on, over what the channel holds. Each row is then checked
// as a whole channel, as an imported one is.
bool ReadPastedCells(const std::vector<CsvRow>& rows, int first, int firstColumn,
                     const ChannelTable& table, Language language,
                     std::vector<ChannelRecord>* records, QString* error) {
    const int start = std::max(firstColumn, int(kColRxFrequency));
    const auto names = OwnColumnNames();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const CsvRow& row = rows[i];
        if (start + row.fields.size() > kChannelColumns) {
            *error = OwnText("line %1: %2 cells do not fit from column \"%3\" on")
                         .arg(row.line)
                         .arg(row.fields.size())
                         .arg(names[start]);
            return false;
        }
        const int channel = first + static_cast<int>(i);
        ChannelRecord record;
        record.line = row.line;
        record.channel = channel;
        record.columnNames = names;
        record.cells = channel <= ImageMap::kChannelCount ? table[channel - 1] : ChannelRow{};
        const bool settingUpNew =
            record.cells[kColRxFrequency].isEmpty() && start == kColRxFrequency;
        if (settingUpNew)
            WriteNewChannelDefaults(record.cells, language);
        for (int f = 0; f < row.fields.size(); ++f) {
            const int column = start + f;
            record.cells[column] = ListEntry(column, row.fields[f].trimmed(), language);
        }
        records->push_back(record);
    }
    return true;
}

// Records of consecutive channels from `first`: whole channels read with our own
// layout's header (the text's own, or the English one when the text has none), or a
// block of cells from `firstColumn` on.
bool ReadPastedRecords(const QString& text, int first, int firstColumn, const ChannelTable& table,
                       Language language, std::vector<ChannelRecord>* records, QString* error) {
    std::vector<CsvRow> rows;
    if (text.contains(kTab))
        rows = SplitTabbedRows(text);
    else if (!ParseCsv(text, &rows, error))
        return false;
    if (!rows.empty() && !IsHeaderRow(rows[0])) {
        if (rows[0].fields.size() < kChannelColumns)
            return ReadPastedCells(rows, first, firstColumn, table, language, records, error);
        const auto names = OwnColumnNames();
        rows.insert(rows.begin(), CsvRow{0, QStringList(names.begin(), names.end())});
    }
    if (!ReadOwnLayout(rows, records, error))
        return false;
    for (std::size_t i = 0; i < records->size(); ++i)
        (*records)[i].channel = first + static_cast<int>(i);
    return true;
}

} // namespace

QString ChannelClipboardText(const RadioImage& image, const std::vector<int>& channels,
                             Language language) {
    const ChannelTable table = DecodeChannels(image, language);
    const auto names = OwnColumnNames();
    QString text = QStringList(names.begin(), names.end()).join(kTab) + u'\n';
    for (int channel : channels) {
        QStringList fields;
        for (const QString& cell : table[static_cast<size_t>(channel - 1)])
            fields << cell;
        fields[kColNumber] = fields[kColNumber].trimmed();
        text += fields.join(kTab) + u'\n';
    }
    return text;
}

int PasteChannelText(const QString& text, int firstChannel, int firstColumn, BandLimits band,
                     ChannelTable& table, Language language, QString* error) {
    std::vector<ChannelRecord> records;
    if (!ReadPastedRecords(text, firstChannel, firstColumn, table, language, &records, error))
        return 0;
    const int count = static_cast<int>(records.size());
    if (count == 0) {
        *error = Tr(language, "The clipboard holds no channels.", "剪貼板中沒有信道。");
        return 0;
    }
    const int room = ImageMap::kChannelCount - firstChannel + 1;
    if (count > room) {
        *error = Tr(language, "%1 rows do not fit: from channel %2 there is room for %3.",
                    "%1 行放不下：從信道 %2 起只能放 %3 行。")
                     .arg(count)
                     .arg(firstChannel)
                     .arg(room);
        return 0;
    }
    ImportOptions options;
    options.band = band;
    return ApplyChannelRecords(records, options, table, error) ? count : 0;
}
