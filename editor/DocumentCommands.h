#pragma once
// The channel view's commands that reach beyond its grid: Read, Write and Restore with the
// radio (through TransferController and the run's session), Scan Info, COM Setup,
// printing, and the import and export of channel lists. The view owns one and hands
// the main window's typed calls (DocumentView) to it.

#include "editor/ChannelListFiles.h"
#include "ui/HelpHook.h"
#include "ui/TransferController.h"

#include <QObject>
#include <functional>

class CProgramDoc;
class CScanInfoDlg;
class QPrinter;
class RunSession;
struct ChannelPrintout;

// What the commands work on and with.
struct DocumentCommandsContext {
    QWidget* view = nullptr; // the parent of their dialogs and windows
    CProgramDoc* document = nullptr;
    Language language = Language::English;
    QString iniFilePath;         // COM Setup keeps the port there
    const Prompts* prompts = nullptr; // every message, question and note
    HelpHandler showHelp;        // Scan Info's help
    std::function<BandLimits()> typingBand;            // what an import is checked against
    std::function<ChannelPrintout()> printout;         // the channel table as the grid shows it
    std::function<void()> refill;                      // the grid after a read
    std::function<void(const QString&)> showNote;      // a note that needs no answer
};

class DocumentCommands : public QObject {
    Q_OBJECT
public:
    DocumentCommands(DocumentCommandsContext context, RunSession& session);
    // A running exchange is cancelled and waited for (see TransferRunner).
    ~DocumentCommands() override;

    TransferController* transfer() const { return m_transfer; }

    void read();
    void write();
    // Program > Restore Radio: the radio is read, and a backup of it written back.
    void restoreRadio();
    // The document's scan settings; the priority-channel check sees the channels as
    // they are edited now.
    void scanInfo();
    void comSetup();
    void print(QPrinter& printer);
    void printPreview(QPrinter& printer);
    void importChannels();
    void exportChannels();

private:
    TransferController::Hooks transferHooks();
    std::optional<RadioImage> chooseBackup(QWidget* parent, const RadioImage& held);
    ChannelListContext channelLists() const;

    DocumentCommandsContext m_context;
    RunSession& m_session;
    TransferController* m_transfer;
    CScanInfoDlg* m_scanInfo;
};
