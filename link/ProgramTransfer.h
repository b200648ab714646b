#pragma once
// Runs the programming exchange for the channel view: the Read and Write commands show
// the progress window, its OK starts the exchange on a worker thread, and the results
// come back to the user-interface thread, which never waits on the worker.
//
// Rules kept from the radio's own software: the direction and the caption are taken
// from the last Read or Write command; a command given while a window is already
// there (or an exchange runs) only prepares the next exchange. The cancel flag is seen
// by the exchange only at its fixed check points.

#include "RadioImage.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

class CProcessDlg;
class QThread;
struct ExchangeOutcome;

class ProgramTransfer : public QObject {
    Q_OBJECT
public:
    enum class Direction { Read, Write };

    struct Hooks {
        // Closes an open cell editor with validation (before a Write command and at the
        // start of every exchange).
        std::function<void()> commitEdit;
        // Folds the grid into the document's image and returns the image to send.
        std::function<RadioImage()> imageToWrite;
        // A read finished: the whole image arrived.
        std::function<void(const RadioImage&)> readCompleted;
    };

    ProgramTransfer(QWidget* owner, Hooks hooks);
    ~ProgramTransfer() override;

    void requestRead();
    void requestWrite();

    bool isRunning() const;
    Direction nextDirection() const { return m_direction; }
    CProcessDlg* progressWindow() const;

signals:
    // The exchange ended (after its message, if any, was shown).
    void finished(bool succeeded);

private:
    struct Shared;

    void request(Direction direction);
    void start();
    void runOnWorker(Direction direction, const RadioImage& image);
    bool askRetryFromWorker(const std::shared_ptr<Shared>& shared);
    void finish(Direction direction, const ExchangeOutcome& outcome, const RadioImage& image);
    void closeWindow();
    // A note in the main window's status bar (the stand-in device of an exchange).
    void showStatus(const QString& text);

    QWidget* m_owner;
    Hooks m_hooks;
    Direction m_direction = Direction::Read;
    QString m_caption;
    QPointer<CProcessDlg> m_dialog;
    QThread* m_worker = nullptr;
    std::shared_ptr<Shared> m_shared;
};
