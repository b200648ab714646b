#include "ProgramTransfer.h"

#include "AppConfig.h"
#include "Backups.h"
#include "CProcessDlg.h"
#include "CommandIds.h"
#include "DetectedPorts.h"
#include "HelpHook.h"
#include "ProgrammingExchange.h"
#include "SerialTrace.h"
#include "UserStore.h"

#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>
#include <QStatusBar>
#include <QThread>
#include <atomic>
#include <chrono>
#include <future>

// State the worker shares with the user-interface side. It outlives the
// ProgramTransfer when the window goes away while an exchange still runs.
struct ProgramTransfer::Shared {
    std::atomic<bool> cancel{false};
    std::atomic<bool> abandoned{false}; // the owner is gone: ask nothing more
};

namespace {

QString CaptionFor(ProgramTransfer::Direction direction) {
    const Language language = appConfig().language();
    return direction == ProgramTransfer::Direction::Read ? Tr(language, "Read Data", "讀數據")
                                                         : Tr(language, "Write Data", "寫數據");
}

bool AskRetry() {
    const auto choice =
        QMessageBox::critical(QApplication::activeWindow(), appConfig().applicationName,
                              QString::fromUtf8(kCommunicationErrorText),
                              QMessageBox::Retry | QMessageBox::Cancel, QMessageBox::Retry);
    return choice == QMessageBox::Retry;
}

// Every image read from the radio, and every image about to be written to it, is kept
// in the backups folder. A backup that cannot be saved never fails the exchange.
void KeepBackup(const RadioImage& image, BackupKind kind) {
    const QString folder = BackupFolder(UserStore(appConfig().iniFilePath).appName());
    QString error;
    if (SaveBackup(folder, image, kind, QDateTime::currentDateTime(), &error).isEmpty())
        qWarning("no backup kept: %s", qUtf8Printable(error));
}

} // namespace

ProgramTransfer::ProgramTransfer(QWidget* owner, Hooks hooks)
    : QObject(owner), m_owner(owner), m_hooks(std::move(hooks)),
      m_shared(std::make_shared<Shared>()) {}

ProgramTransfer::~ProgramTransfer() {
    // Stop a running exchange at its next check point and wait for the port to close.
    m_shared->cancel = true;
    m_shared->abandoned = true;
    if (m_worker) {
        m_worker->wait();
        delete m_worker;
    }
}

void ProgramTransfer::requestRead() {
    request(Direction::Read);
}

void ProgramTransfer::requestWrite() {
    if (m_hooks.commitEdit)
        m_hooks.commitEdit();
    request(Direction::Write);
}

CProcessDlg* ProgramTransfer::progressWindow() const {
    return m_dialog;
}

bool ProgramTransfer::isRunning() const {
    return m_worker != nullptr;
}

void ProgramTransfer::request(Direction direction) {
    m_direction = direction;
    m_caption = CaptionFor(direction);
    if (m_dialog)
        return; // the window is there: this only prepares the next exchange

    m_shared->cancel = false;
    m_dialog = new CProcessDlg(m_owner);
    m_dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_dialog->setWindowTitle(m_caption);
    m_dialog->setProperty(kHelpIdProperty, direction == Direction::Read ? CommandId::kRead
                                                                        : CommandId::kWrite);
    connect(m_dialog, &CProcessDlg::startRequested, this, &ProgramTransfer::start);
    connect(m_dialog, &CProcessDlg::cancelRequested, this, [this] {
        m_shared->cancel = true;
        if (m_dialog && !m_dialog->hasStarted())
            closeWindow();
    });
    m_dialog->show();
    m_dialog->raise();
    m_dialog->activateWindow();
}

void ProgramTransfer::start() {
    if (m_worker)
        return;
    const Direction direction = m_direction;
    if (m_hooks.commitEdit)
        m_hooks.commitEdit();
    RadioImage image{};
    if (direction == Direction::Write && m_hooks.imageToWrite) {
        image = m_hooks.imageToWrite();
        KeepBackup(image, BackupKind::Write);
    }
    runOnWorker(direction, image);
}

// The worker reaches back to this object only through queued calls. They are safe:
// the destructor waits for the worker, and Qt drops calls queued for a deleted object.
void ProgramTransfer::runOnWorker(Direction direction, const RadioImage& image) {
    const ExchangeDevice chosen = DeviceForExchange(appConfig().portName);
    const QString device = chosen.device;
    if (!chosen.note.isEmpty())
        showStatus(chosen.note);
    const bool alignment = appConfig().alignmentUnlocked;
    const std::shared_ptr<Shared> shared = m_shared;

    m_worker = QThread::create([this, shared, device, alignment, direction, image] {
        ExchangeCallbacks callbacks;
        callbacks.progress = [this](int done, int total) {
            QMetaObject::invokeMethod(
                this,
                [this, done, total] {
                    if (m_dialog)
                        m_dialog->showProgress(done, total);
                },
                Qt::QueuedConnection);
        };
        callbacks.isCancelled = [shared] { return shared->cancel.load(); };
        callbacks.askRetry = [this, shared] { return askRetryFromWorker(shared); };

        const std::unique_ptr<SerialLink> link = NewSerialLink();
        ProgrammingExchange exchange(*link, callbacks);
        RadioImage result = image;
        const ExchangeOutcome outcome = direction == Direction::Read
                                            ? exchange.read(device, result)
                                            : exchange.write(device, image, alignment);
        QMetaObject::invokeMethod(
            this, [this, direction, outcome, result] { finish(direction, outcome, result); },
            Qt::QueuedConnection);
    });
    m_worker->start();
}

// Asks Retry/Cancel on the user-interface thread while the worker waits for the
// answer. The worker stops waiting when this object goes away, so shutting down
// never deadlocks.
bool ProgramTransfer::askRetryFromWorker(const std::shared_ptr<Shared>& shared) {
    auto answer = std::make_shared<std::promise<bool>>();
    std::future<bool> result = answer->get_future();
    QMetaObject::invokeMethod(
        this, [answer] { answer->set_value(AskRetry()); }, Qt::QueuedConnection);
    while (result.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready) {
        if (shared->abandoned)
            return false;
    }
    return result.get();
}

void ProgramTransfer::finish(Direction direction, const ExchangeOutcome& outcome,
                             const RadioImage& image) {
    m_worker->wait();
    delete m_worker;
    m_worker = nullptr;

    const bool succeeded = outcome.succeeded();
    const bool tell = outcome.result == ExchangeResult::PortOpenFailed ||
                      outcome.result == ExchangeResult::ProgramInterrupt;
    if (tell) {
        QMessageBox box(QMessageBox::Warning, appConfig().applicationName,
                        outcome.message, QMessageBox::Ok, m_owner);
        box.setInformativeText(outcome.portDetail);
        box.exec();
    }
    closeWindow();
    if (succeeded && direction == Direction::Read) {
        KeepBackup(image, BackupKind::Read);
        if (m_hooks.readCompleted)
            m_hooks.readCompleted(image);
    }
    emit finished(succeeded);
}

void ProgramTransfer::closeWindow() {
    if (m_dialog)
        m_dialog->deleteLater();
    m_dialog = nullptr;
}

void ProgramTransfer::showStatus(const QString& text) {
    QWidget* window = m_owner ? m_owner->window() : nullptr;
    if (auto* mainWindow = qobject_cast<QMainWindow*>(window))
        mainWindow->statusBar()->showMessage(text);
}
