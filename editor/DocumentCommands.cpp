#include "editor/DocumentCommands.h"

#include "dialogs/CComSetupDlg.h"
#include "dialogs/CScanInfoDlg.h"
#include "dialogs/RestoreRadioDlg.h"
#include "dialogs/WritePreviewDlg.h"
#include "files/Backups.h"
#include "files/DatFile.h"
#include "radio/OwnTexts.h"
#include "config/UserStore.h"
#include "document/ImageDifferences.h"
#include "editor/ChannelListFiles.h"
#include "editor/ChannelPrinter.h"
#include "ui/CommandIds.h"
#include "document/EditLabels.h"
#include "ui/HelpHook.h"
#include "ui/HelpTopics.h"
#include "document/ProgramDoc.h"
#include "config/ProductCatalog.h"
#include "radio/ImageMap.h"

#include <QPointer>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {

// The preview of a Write; its check box is kept whatever the answer. On the heap, as
// every question of a Write: the window under it may close while it is up (that is a
// Cancel).
bool UserConfirmsChanges(QWidget* parent, const ImageComparison& changes, Language language,
                         const QString& iniFilePath) {
    UserStore store(iniFilePath);
    const QPointer<WritePreviewDlg> dialog =
        new WritePreviewDlg(changes, language, store.showsChangesBeforeWriting(), parent);
    const bool write = dialog->exec() == QDialog::Accepted;
    if (!dialog)
        return false;
    store.setShowsChangesBeforeWriting(dialog->showsChanges());
    delete dialog;
    return write;
}

// The backup chosen in `dialog`, which is deleted; none when it was cancelled or closed
// with the window under it.
std::optional<BackupEntry> ChosenBackup(const QPointer<RestoreRadioDlg>& dialog) {
    const bool chosen = dialog->exec() == QDialog::Accepted;
    if (!dialog)
        return std::nullopt;
    const std::optional<BackupEntry> backup = chosen ? dialog->chosenBackup() : std::nullopt;
    delete dialog;
    return backup;
}

} // namespace

// The radio's backups, what it held before its last write chosen first; the backup as
// every write sends it.
std::optional<RadioImage> DocumentCommands::chooseBackup(QWidget* parent, const RadioImage& held) {
    const QString folder = BackupFolder(UserStore(m_context.iniFilePath).appName());
    std::vector<BackupEntry> backups = ListRadioBackups(folder, held);
    if (backups.empty()) {
        m_context.prompts->showError(parent,
                                     OwnText("There is no backup of this radio in %1.").arg(folder));
        return std::nullopt;
    }
    const std::vector<BackupEntry> reads = PreWriteReads(folder, held);
    const Prompts* prompts = m_context.prompts; // this object may go with the window
    const std::optional<BackupEntry> chosen = ChosenBackup(
        new RestoreRadioDlg(std::move(backups), reads.empty() ? QString() : reads.front().path,
                            m_context.language, parent));
    if (!chosen)
        return std::nullopt;
    RadioImage image;
    QString error;
    if (!LoadDatFile(chosen->path, image, &error)) {
        prompts->showError(parent, error);
        return std::nullopt;
    }
    ClampCalibration(image);
    return image;
}

DocumentCommands::DocumentCommands(DocumentCommandsContext context, RunSession& session)
    : QObject(context.view), m_context(std::move(context)), m_session(session),
      m_transfer(new TransferController(
          m_context.view,
          {session, *m_context.prompts, m_context.language, m_context.iniFilePath},
          transferHooks())),
      m_scanInfo(new CScanInfoDlg(m_context.view, *m_context.prompts, m_context.language)) {
    m_scanInfo->helpRequested = [this](int controlId) {
        if (m_context.showHelp)
            m_context.showHelp(DialogHelpContext(controlId, CommandId::kScanInfo));
    };
}

DocumentCommands::~DocumentCommands() {
    delete m_transfer;
}

TransferController::Hooks DocumentCommands::transferHooks() {
    TransferController::Hooks hooks;
    // The radio gets its calibration within the limits it accepts, whatever a file
    // brought in; the document itself is sent as it is otherwise.
    hooks.imageToWrite = [this] {
        RadioImage image = m_context.document->image();
        ClampCalibration(image);
        return image;
    };
    // The read image replaces the document's as one undoable step.
    hooks.readCompleted = [this](const RadioImage& image) {
        CProgramDoc* document = m_context.document;
        document->setNotNew();
        document->edit(EditLabel(EditKind::ReadFromRadio, m_context.language),
                       [&image](RadioImage& target) { target = image; });
        m_context.refill();
    };
    hooks.confirmChanges = [language = m_context.language, ini = m_context.iniFilePath](
                               QWidget* parent, const RadioImage& held, const RadioImage& after) {
        return UserConfirmsChanges(parent, CompareImages(held, after, language, ini), language, ini);
    };
    hooks.writeBand = m_context.typingBand;
    hooks.chooseBackup = [this](QWidget* parent, const RadioImage& held) {
        return chooseBackup(parent, held);
    };
    return hooks;
}

void DocumentCommands::read() {
    m_transfer->requestRead();
}

void DocumentCommands::write() {
    m_transfer->requestWrite();
}

void DocumentCommands::restoreRadio() {
    m_transfer->requestRestore();
}

void DocumentCommands::scanInfo() {
    CProgramDoc* document = m_context.document;
    if (!document)
        return;
    RadioImage image = document->image();
    if (m_scanInfo->run(image))
        document->edit(EditLabel(EditKind::ScanInfo, m_context.language),
                       [&image](RadioImage& target) { target = image; });
}

void DocumentCommands::comSetup() {
    CComSetupDlg dialog(m_session, m_context.iniFilePath, m_context.view);
    dialog.exec();
}

void DocumentCommands::print(QPrinter& printer) {
    QPrintDialog dialog(&printer, m_context.view);
    dialog.setProperty(kHelpIdProperty, CommandId::kFilePrint);
    if (dialog.exec() == QDialog::Accepted)
        PrintChannelTable(printer, m_context.printout());
}

void DocumentCommands::printPreview(QPrinter& printer) {
    QPrintPreviewDialog preview(&printer, m_context.view);
    preview.setProperty(kHelpIdProperty, CommandId::kFilePrintPreview);
    const ChannelPrintout content = m_context.printout();
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [&content](QPrinter* target) { PrintChannelTable(*target, content); });
    preview.exec();
}

// The band is the one of the moment: Product Information may have changed it.
ChannelListContext DocumentCommands::channelLists() const {
    ChannelListContext lists{m_context.view,
                             m_context.document,
                             m_context.language,
                             m_context.typingBand(),
                             m_context.prompts,
                             m_context.showNote,
                             ModelWattsOf(m_context.iniFilePath,
                                          m_context.document->image()[ImageMap::kProductType])};
    return lists;
}

void DocumentCommands::importChannels() {
    ChannelListFiles::OnImportChannels(channelLists());
}

void DocumentCommands::exportChannels() {
    ChannelListFiles::OnExportChannels(channelLists());
}
