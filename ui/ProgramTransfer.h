#pragma once
// The window side of the channel view's Read and Write: the progress window, the
// Retry question and the messages, around a TransferRunner that runs the programming
// exchange on its worker thread. The user-interface thread never waits on the worker.
//
// Rules kept from the radio's own software: the direction and the caption are taken
// from the last Read or Write command; a command given while a window is already
// there (or an exchange runs) only prepares the next exchange. The cancel flag is seen
// by the exchange only at its fixed check points.

#include "files/Backups.h"
#include "link/TransferJob.h"

#include <QObject>
#include <QPointer>
#include <functional>

class CProcessDlg;
class QWidget;
class RunSession;
class TransferRunner;

class ProgramTransfer : public QObject {
    Q_OBJECT
public:
    struct Hooks {
        // Closes an open cell editor with validation (before a Write command and at the
        // start of every exchange).
        std::function<void()> commitEdit;
        // Folds the grid into the document's image and returns the image to send.
        std::function<RadioImage()> imageToWrite;
        // A read finished: the whole image arrived.
        std::function<void(const RadioImage&)> readCompleted;
    };

    // The port, the alignment unlock and the trace of each exchange come from `session`.
    ProgramTransfer(QWidget* owner, RunSession& session, Hooks hooks);
    // A running exchange is cancelled and waited for (see TransferRunner).
    ~ProgramTransfer() override;

    // The links of the next exchanges (by default the session's serial ports).
    void setLinkFactory(LinkFactory linkFactory);

    void requestRead();
    void requestWrite();

    bool isRunning() const;
    TransferDirection nextDirection() const { return m_direction; }
    // The direction of the exchange that runs (see isRunning()).
    TransferDirection runningDirection() const { return m_runningDirection; }
    // The running exchange stops at its next cancel point; finished() follows.
    void cancel();
    CProcessDlg* progressWindow() const;

signals:
    // The exchange ended (after its message, if any, was shown).
    void finished(bool succeeded);

private:
    void request(TransferDirection direction);
    void openWindow();
    void start();
    void askRetry();
    void finish(const TransferJob& job, const ExchangeOutcome& outcome);
    void tellOutcome(const ExchangeOutcome& outcome);
    void backUp(const RadioImage& image, BackupKind kind);
    void closeWindow();
    // A note in the main window's status bar (the stand-in device of an exchange).
    void showStatus(const QString& text);

    QWidget* m_owner;
    RunSession& m_session;
    Hooks m_hooks;
    LinkFactory m_linkFactory; // empty: the session's serial ports
    TransferRunner* m_runner;
    TransferDirection m_direction = TransferDirection::Read;
    TransferDirection m_runningDirection = TransferDirection::Read;
    QString m_caption;
    QPointer<CProcessDlg> m_dialog;
};
