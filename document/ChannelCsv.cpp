#include "document/ChannelCsv.h"

#include "document/CommonCsvExport.h"
#include "document/CommonCsvLayout.h"
#include "files/Csv.h"

namespace {

QString OwnLayoutCsv(const ChannelTable& table) {
    QStringList header;
    for (int c = 0; c < kChannelColumns; ++c)
        header << ChannelColumnHeading(c, Language::English);
    QString text = CsvRecord(header);
    for (const ChannelRow& row : table) {
        QStringList fields(row.begin(), row.end());
        fields[kColNumber] = fields[kColNumber].trimmed();
        text += CsvRecord(fields);
    }
    return text;
}


// Replaces the channels `text` names in `table`, with every row checked first.
bool ReadChannelCsv(const QString& text, const ImportOptions& options, ChannelTable& table,
                    CsvImportReport* report, QString* error) {
    std::vector<CsvRow> rows;
    if (!ParseCsv(text, &rows, error))
        return false;
    report->layout = DetectCsvLayout(rows);
    std::vector<ChannelRecord> records;
    if (report->layout == CsvLayout::Common) {
        CommonLayoutNotes notes;
        if (!ReadCommonLayout(rows, options, table, &records, &notes, error))
            return false;
        report->namesDropped = notes.namesDropped;
    } else {
        if (options.rows || options.firstChannel) {
            *error = QStringLiteral("the rows and the first channel place rows of the common "
                                    "layout (headed Location,...); this file names its channels "
                                    "by CH");
            return false;
        }
        if (!ReadOwnLayout(rows, &records, error))
            return false;
    }
    return ApplyChannelRecords(records, options, table, error);
}

} // namespace

QString ChannelCsvText(const RadioImage& image, CsvLayout layout, Language language) {
    if (layout == CsvLayout::Common)
        return CommonLayoutCsv(image);
    return OwnLayoutCsv(DecodeChannels(image, language));
}

CsvLayout DetectCsvLayout(const std::vector<CsvRow>& rows) {
    return !rows.empty() && IsCommonLayoutHeader(rows[0]) ? CsvLayout::Common : CsvLayout::Own;
}

bool ImportChannelCsv(const QString& text, const ImportOptions& options, RadioImage& image,
                      CsvImportReport* report, QString* error) {
    const ChannelTable before = DecodeChannels(image, Language::English);
    ChannelTable after = before;
    if (!ReadChannelCsv(text, options, after, report, error))
        return false;
    EncodeChangedCells(before, after, image);
    return true;
}
