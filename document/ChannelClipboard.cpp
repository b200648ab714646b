#include "document/ChannelClipboard.h"

#include "document/ChannelImport.h"
#include "radio/TextNumbers.h"
#include "files/Csv.h"

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

bool IsHeaderRow(const CsvRow& row) {
    int channel = 0;
    return !ReadWholeNumber(row.fields.value(0).trimmed(), &channel);
}

// Records of consecutive channels from `first`, read with our own layout's header
// (the text's own, or the English one when the text has none).
bool ReadPastedRecords(const QString& text, int first, std::vector<ChannelRecord>* records,
                       QString* error) {
    std::vector<CsvRow> rows;
    if (text.contains(kTab))
        rows = SplitTabbedRows(text);
    else if (!ParseCsv(text, &rows, error))
        return false;
    if (!rows.empty() && !IsHeaderRow(rows[0])) {
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

int PasteChannelText(const QString& text, int firstChannel, BandLimits band, ChannelTable& table,
                     Language language, QString* error) {
    std::vector<ChannelRecord> records;
    if (!ReadPastedRecords(text, firstChannel, &records, error))
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
