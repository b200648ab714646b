#include "editor/ChannelListFiles.h"

#include "dialogs/CImportPlacementDlg.h"
#include "editor/CProgramView.h"
#include "document/CommonCsvLayout.h"
#include "files/AtomicFile.h"
#include "files/Csv.h"
#include "document/EditLabels.h"
#include "config/StartupConfig.h"
#include "radio/OwnTexts.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace {

QString OwnFilter(Language language) {
    return Tr(language, "Channel list (*.csv)", "信道列表 (*.csv)");
}

QString CommonFilter(Language language) {
    return Tr(language, "Channel list for other programming tools (*.csv)",
              "其他寫頻軟件的信道列表 (*.csv)");
}

// Captioned with the company name, as every other message box of the program.
void Warn(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Warning, startupConfig().applicationName, text,
                    QMessageBox::Ok, parent);
    box.exec();
}

// For a common-layout file whose Locations are not all channels: the rows and the first
// channel, asked from the user. False when the user cancelled.
bool AskPlacement(CProgramView& view, const QString& text, ImportOptions* options) {
    std::vector<CsvRow> rows;
    QString ignored;
    if (!ParseCsv(text, &rows, &ignored) || DetectCsvLayout(rows) != CsvLayout::Common)
        return true; // the import itself will say what is wrong
    const LocationSpan span = CommonLayoutLocations(rows);
    if (span.rows == 0 || span.fitsChannels)
        return true;
    CImportPlacementDlg dialog(span, startupConfig().language(), &view);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    options->rows = dialog.rows();
    options->firstChannel = dialog.firstChannel();
    return true;
}

// The whole import is one step of the document's history; the grid redraws itself.
void ApplyImage(CProgramView& view, const RadioImage& image) {
    view.GetDocument()->edit(EditLabel(EditKind::ImportChannels, startupConfig().language()),
                             [&image](RadioImage& target) { target = image; });
}

} // namespace

namespace ChannelListFiles {

void OnImportChannels(CProgramView& view) {
    const Language language = startupConfig().language();
    const QString path = QFileDialog::getOpenFileName(
        &view, Tr(language, "Import Channels", "導入信道"), QString(),
        OwnFilter(language) + QStringLiteral(";;") + CommonFilter(language));
    if (!path.isEmpty())
        Import(view, path);
}

void OnExportChannels(CProgramView& view) {
    const Language language = startupConfig().language();
    QString filter = OwnFilter(language);
    const QString path = QFileDialog::getSaveFileName(
        &view, Tr(language, "Export Channels", "導出信道"), QStringLiteral("channels.csv"),
        OwnFilter(language) + QStringLiteral(";;") + CommonFilter(language), &filter);
    if (!path.isEmpty())
        Export(view, path, filter == CommonFilter(language) ? CsvLayout::Common : CsvLayout::Own);
}

bool Import(CProgramView& view, const QString& path) {
    if (!view.GetDocument())
        return false;
    QString text;
    QString error;
    if (!ReadChannelList(path, &text, &error)) {
        Warn(&view, error);
        return false;
    }
    ImportOptions options;
    options.band = view.typingBand();
    if (!AskPlacement(view, text, &options))
        return false;
    const RadioImage before = view.GetDocument()->image();
    RadioImage image = before;
    CsvImportReport report;
    if (!ImportChannelCsv(text, options, image, &report, &error)) {
        Warn(&view, QFileInfo(path).fileName() + QStringLiteral(": ") + error);
        return false;
    }
    if (report.namesDropped)
        view.showStatusNote(OwnText("The Name and Comment columns are not imported (the radio "
                                    "keeps no channel names)."));
    if (image == before)
        return false;
    ApplyImage(view, image);
    return true;
}

bool Export(CProgramView& view, const QString& path, CsvLayout layout) {
    if (!view.GetDocument())
        return false;
    const QByteArray bytes =
        ChannelCsvText(view.GetDocument()->image(), layout, startupConfig().language()).toUtf8();
    QString reason;
    if (!AtomicFile::replace(path, bytes, &reason)) {
        Warn(&view, OwnText("%1: cannot write the file (%2)").arg(path, reason));
        return false;
    }
    return true;
}

} // namespace ChannelListFiles
