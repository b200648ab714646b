#pragma once
// The channel view's commands that reach beyond its grid: Read and Write with the
// radio (through ProgramTransfer and the run's session), Scan Info, COM Setup,
// printing, and the import and export of channel lists. The view owns one and hands
// the main window's typed calls (DocumentView) to it.

#include "ui/ProgramTransfer.h"

#include <QObject>

class CProgramView;
class CScanInfoDlg;
class QPrinter;
class RunSession;

class DocumentCommands : public QObject {
    Q_OBJECT
public:
    DocumentCommands(CProgramView& view, RunSession& session);
    // A running exchange is cancelled and waited for (see TransferRunner).
    ~DocumentCommands() override;

    ProgramTransfer* transfer() const { return m_transfer; }

    void read();
    void write();
    // The document's scan settings; the priority-channel check sees the channels as
    // they are edited now.
    void scanInfo();
    void comSetup();
    void print(QPrinter& printer);
    void printPreview(QPrinter& printer);
    void importChannels();
    void exportChannels();

private:
    ProgramTransfer::Hooks transferHooks();

    CProgramView& m_view;
    RunSession& m_session;
    ProgramTransfer* m_transfer;
    CScanInfoDlg* m_scanInfo;
};
