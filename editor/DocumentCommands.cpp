#include "editor/DocumentCommands.h"

#include "dialogs/CComSetupDlg.h"
#include "editor/CProgramView.h"
#include "dialogs/CScanInfoDlg.h"
#include "editor/ChannelListFiles.h"
#include "editor/ChannelPrinter.h"
#include "ui/CommandIds.h"
#include "document/EditLabels.h"
#include "ui/HelpHook.h"
#include "ui/HelpTopics.h"
#include "config/StartupConfig.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

DocumentCommands::DocumentCommands(CProgramView& view, RunSession& session)
    : QObject(&view), m_view(view), m_session(session),
      m_transfer(new ProgramTransfer(&view, session, transferHooks())),
      m_scanInfo(new CScanInfoDlg(&view, view.language(), startupConfig().applicationName)) {
    m_scanInfo->helpRequested = [this](int controlId) {
        m_view.showHelp(DialogHelpContext(controlId, CommandId::kScanInfo));
    };
}

DocumentCommands::~DocumentCommands() {
    delete m_transfer;
}

ProgramTransfer::Hooks DocumentCommands::transferHooks() {
    ProgramTransfer::Hooks hooks;
    hooks.commitEdit = [this] { m_view.CommitCellEdit(); };
    // The radio gets its calibration within the limits it accepts, whatever a file
    // brought in; the document itself is sent as it is otherwise.
    hooks.imageToWrite = [this] {
        RadioImage image = m_view.GetDocument()->image();
        ClampCalibration(image);
        return image;
    };
    // The read image replaces the document's as one undoable step.
    hooks.readCompleted = [this](const RadioImage& image) {
        CProgramDoc* document = m_view.GetDocument();
        document->setNotNew();
        document->edit(EditLabel(EditKind::ReadFromRadio, m_view.language()),
                       [&image](RadioImage& target) { target = image; });
        m_view.FillGrid();
    };
    return hooks;
}

void DocumentCommands::read() {
    m_transfer->requestRead();
}

void DocumentCommands::write() {
    m_transfer->requestWrite();
}

void DocumentCommands::scanInfo() {
    CProgramDoc* document = m_view.GetDocument();
    if (!document)
        return;
    m_view.CommitCellEdit();
    RadioImage image = document->image();
    if (m_scanInfo->run(image))
        document->edit(EditLabel(EditKind::ScanInfo, m_view.language()),
                       [&image](RadioImage& target) { target = image; });
}

void DocumentCommands::comSetup() {
    CComSetupDlg dialog(m_session, startupConfig().iniFilePath, &m_view);
    dialog.exec();
}

void DocumentCommands::print(QPrinter& printer) {
    m_view.CommitCellEdit();
    QPrintDialog dialog(&printer, &m_view);
    dialog.setProperty(kHelpIdProperty, CommandId::kFilePrint);
    if (dialog.exec() == QDialog::Accepted)
        PrintChannelTable(printer, m_view.printout());
}

void DocumentCommands::printPreview(QPrinter& printer) {
    m_view.CommitCellEdit();
    QPrintPreviewDialog preview(&printer, &m_view);
    preview.setProperty(kHelpIdProperty, CommandId::kFilePrintPreview);
    const ChannelPrintout content = m_view.printout();
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [&content](QPrinter* target) { PrintChannelTable(*target, content); });
    preview.exec();
}

void DocumentCommands::importChannels() {
    ChannelListFiles::OnImportChannels(m_view);
}

void DocumentCommands::exportChannels() {
    ChannelListFiles::OnExportChannels(m_view);
}
