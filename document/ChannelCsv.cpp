#include "document/ChannelCsv.h"

#include "document/CommonCsvExport.h"
#include "document/CommonCsvLayout.h"
#include "files/Csv.h"
#include "files/RegularFile.h"
#include "radio/OwnTexts.h"

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

// Our own layout is checked record by record as the text is parsed: the first bad line
// ends the import, and the rest of the file is never read.
bool ReadOwnLayoutCsv(CsvRecordReader& reader, const CsvRow& header, const ImportOptions& options,
                      ChannelTable& table, QString* error) {
    if (options.rows || options.firstChannel) {
        *error = OwnText("the rows and the first channel place rows of the common "
                         "layout (headed Location,...); this file names its channels "
                         "by CH");
        return false;
    }
    OwnLayoutRecords records(header);
    if (!records.readHeader(error))
        return false;
    ChannelRecordChecks checks(options, table);
    CsvRow row;
    ChannelRecord record;
    while (reader.next(&row, error)) {
        if (!records.read(row, &record, error) || !checks.apply(record, error))
            return false;
    }
    if (!error->isEmpty())
        return false;
    table = checks.table();
    return true;
}

// The common layout needs every row before it can place them (Locations, the largest
// Power), so it is parsed whole first.
bool ReadCommonLayoutCsv(CsvRecordReader& reader, const CsvRow& header,
                         const ImportOptions& options, ChannelTable& table, CsvImportReport* report,
                         QString* error) {
    std::vector<CsvRow> rows{header};
    CsvRow row;
    while (reader.next(&row, error))
        rows.push_back(row);
    if (!error->isEmpty())
        return false;
    std::vector<ChannelRecord> records;
    CommonLayoutNotes notes;
    if (!ReadCommonLayout(rows, options, table, &records, &notes, error))
        return false;
    report->namesDropped = notes.namesDropped;
    return ApplyChannelRecords(records, options, table, error);
}

// Replaces the channels `text` names in `table`, with every row checked first.
bool ReadChannelCsv(const QString& text, const ImportOptions& options, ChannelTable& table,
                    CsvImportReport* report, QString* error) {
    error->clear();
    CsvRecordReader reader(text);
    CsvRow header;
    if (!reader.next(&header, error)) {
        if (error->isEmpty())
            *error = OwnText("the file has no header line");
        return false;
    }
    report->layout = DetectCsvLayout({header});
    if (report->layout == CsvLayout::Common)
        return ReadCommonLayoutCsv(reader, header, options, table, report, error);
    return ReadOwnLayoutCsv(reader, header, options, table, error);
}

} // namespace

bool ReadChannelList(const QString& path, QString* text, QString* error) {
    QByteArray bytes;
    QString reason;
    const bool read = path == QLatin1String("-")
                          ? ReadStandardInput(kChannelListMaxBytes, &bytes, &reason)
                          : ReadRegularFile(path, kChannelListMaxBytes + 1, &bytes, &reason);
    if (!read) {
        *error = OwnText("%1: cannot open the file (%2)").arg(path, reason);
        return false;
    }
    if (bytes.size() > kChannelListMaxBytes) {
        *error = OwnText("%1: the file is too large for a channel list").arg(path);
        return false;
    }
    *text = QString::fromUtf8(bytes);
    return true;
}

QString ChannelCsvText(const RadioImage& image, CsvLayout layout, Language language,
                       const std::optional<ModelWatts>& watts) {
    if (layout == CsvLayout::Common)
        return CommonLayoutCsv(image, watts);
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
