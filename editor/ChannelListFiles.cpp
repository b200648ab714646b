#include "editor/ChannelListFiles.h"

#include "dialogs/CImportPlacementDlg.h"
#include "document/ProgramDoc.h"
#include "document/CommonCsvLayout.h"
#include "files/AtomicFile.h"
#include "files/Csv.h"
#include "document/EditLabels.h"
#include "radio/OwnTexts.h"
#include "ui/Prompts.h"

#include <QApplication>
#include <QFileDialog>

namespace {

QString OwnFilter(Language language) {
    return Tr(language, "Channel list (*.csv)", "信道列表 (*.csv)");
}

QString CommonFilter(Language language) {
    return Tr(language, "Channel list for other programming tools (*.csv)",
              "其他寫頻軟件的信道列表 (*.csv)");
}

void Warn(const ChannelListContext& context, const QString& text) {
    context.prompts->showError(context.parent, text);
}

// For a common-layout file whose Locations are not all channels: the rows and the first
// channel, asked from the user. False when the user cancelled.
bool AskPlacement(const ChannelListContext& context, const QString& text,
                  ImportOptions* options) {
    std::vector<CsvRow> rows;
    QString ignored;
    if (!ParseCsv(text, &rows, &ignored) || DetectCsvLayout(rows) != CsvLayout::Common)
        return true; // the import itself will say what is wrong
    const LocationSpan span = CommonLayoutLocations(rows);
    if (span.rows == 0 || span.fitsChannels)
        return true;
    CImportPlacementDlg dialog(span, context.language, context.parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    options->rows = dialog.rows();
    options->firstChannel = dialog.firstChannel();
    return true;
}

// The whole import is one step of the document's history; the grid redraws itself.
void ApplyImage(const ChannelListContext& context, const RadioImage& image) {
    context.document->edit(EditLabel(EditKind::ImportChannels, context.language),
                           [&image](RadioImage& target) { target = image; });
}

} // namespace

namespace ChannelListFiles {

void OnImportChannels(const ChannelListContext& context) {
    const Language language = context.language;
    const QString path = QFileDialog::getOpenFileName(
        context.parent, Tr(language, "Import Channels", "導入信道"), QString(),
        OwnFilter(language) + QStringLiteral(";;") + CommonFilter(language));
    if (!path.isEmpty())
        Import(context, path);
}

void OnExportChannels(const ChannelListContext& context) {
    const Language language = context.language;
    QString filter = OwnFilter(language);
    const QString path = QFileDialog::getSaveFileName(
        context.parent, Tr(language, "Export Channels", "導出信道"), QStringLiteral("channels.csv"),
        OwnFilter(language) + QStringLiteral(";;") + CommonFilter(language), &filter);
    if (!path.isEmpty())
        Export(context, path, filter == CommonFilter(language) ? CsvLayout::Common : CsvLayout::Own);
}

bool Import(const ChannelListContext& context, const QString& path) {
    if (!context.document)
        return false;
    QString text;
    QString error;
    if (!ReadChannelList(path, &text, &error)) {
        Warn(context, error);
        return false;
    }
    ImportOptions options;
    options.band = context.band;
    options.watts = context.watts;
    if (!AskPlacement(context, text, &options))
        return false;
    const RadioImage before = context.document->image();
    RadioImage image = before;
    CsvImportReport report;
    if (!ImportChannelCsv(text, options, image, &report, &error)) {
        Warn(context, QFileInfo(path).fileName() + QStringLiteral(": ") + error);
        return false;
    }
    if (report.namesDropped)
        context.showNote(OwnText("The Name and Comment columns are not imported (the radio "
                                    "keeps no channel names)."));
    if (image == before)
        return false;
    ApplyImage(context, image);
    return true;
}

bool Export(const ChannelListContext& context, const QString& path, CsvLayout layout) {
    if (!context.document)
        return false;
    const QByteArray bytes =
        ChannelCsvText(context.document->image(), layout, context.language, context.watts)
            .toUtf8();
    QString reason;
    if (!AtomicFile::replace(path, bytes, &reason)) {
        Warn(context, OwnText("%1: cannot write the file (%2)").arg(path, reason));
        return false;
    }
    return true;
}

} // namespace ChannelListFiles
