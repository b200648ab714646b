#include "ChannelCommands.h"

#include "CComSetupDlg.h"
#include "CProgramView.h"
#include "CScanInfoDlg.h"
#include "ChannelListFiles.h"
#include "ChannelPrinter.h"
#include "CommandIds.h"
#include "EditLabels.h"
#include "HelpHook.h"
#include "HelpTopics.h"
#include "StartupConfig.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

ChannelCommands::ChannelCommands(CProgramView& view, RunSession& session)
    : QObject(&view), m_view(view), m_session(session),
      m_transfer(new ProgramTransfer(&view, session, transferHooks())),
      m_scanInfo(new CScanInfoDlg(&view, view.language())) {
    m_scanInfo->helpRequested = [this](int controlId) {
        m_view.showHelp(DialogHelpContext(controlId, CommandId::kScanInfo));
    };
}

ChannelCommands::~ChannelCommands() {
    delete m_transfer;
}

ProgramTransfer::Hooks ChannelCommands::transferHooks() {
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

void ChannelCommands::read() {
    m_transfer->requestRead();
}

void ChannelCommands::write() {
    m_transfer->requestWrite();
}

void ChannelCommands::scanInfo() {
    CProgramDoc* document = m_view.GetDocument();
    if (!document)
        return;
    m_view.CommitCellEdit();
    RadioImage image = document->image();
    if (m_scanInfo->run(image))
        document->edit(EditLabel(EditKind::ScanInfo, m_view.language()),
                       [&image](RadioImage& target) { target = image; });
}

void ChannelCommands::comSetup() {
    CComSetupDlg dialog(m_session, startupConfig().iniFilePath, &m_view);
    dialog.exec();
}

void ChannelCommands::print(QPrinter& printer) {
    m_view.CommitCellEdit();
    QPrintDialog dialog(&printer, &m_view);
    dialog.setProperty(kHelpIdProperty, CommandId::kFilePrint);
    if (dialog.exec() == QDialog::Accepted)
        PrintChannelTable(printer, m_view.printout());
}

void ChannelCommands::printPreview(QPrinter& printer) {
    m_view.CommitCellEdit();
    QPrintPreviewDialog preview(&printer, &m_view);
    preview.setProperty(kHelpIdProperty, CommandId::kFilePrintPreview);
    const ChannelPrintout content = m_view.printout();
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [&content](QPrinter* target) { PrintChannelTable(*target, content); });
    preview.exec();
}

void ChannelCommands::importChannels() {
    ChannelListFiles::OnImportChannels(m_view);
}

void ChannelCommands::exportChannels() {
    ChannelListFiles::OnExportChannels(m_view);
}
