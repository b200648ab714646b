#include "ui/ProgramTransfer.h"

#include "files/Backups.h"
#include "ui/CProcessDlg.h"
#include "ui/CommandIds.h"
#include "ui/HelpHook.h"
#include "ui/StandInPort.h"
#include "link/ProgrammingExchange.h"
#include "link/RunSession.h"
#include "config/StartupConfig.h"
#include "link/TransferRunner.h"
#include "config/UserStore.h"
#include "radio/OwnTexts.h"

#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>
#include <QStatusBar>

namespace {

QString CaptionFor(TransferDirection direction) {
    const Language language = startupConfig().language();
    return direction == TransferDirection::Read ? Tr(language, "Read Data", "讀數據")
                                                : Tr(language, "Write Data", "寫數據");
}

// On the heap: the window under the question may close (and delete its children) while
// the question is up; that answers Cancel.
bool UserWantsRetry() {
    auto* box =
        new QMessageBox(QMessageBox::Critical, startupConfig().applicationName,
                        QString::fromUtf8(kCommunicationErrorText),
                        QMessageBox::Retry | QMessageBox::Cancel, QApplication::activeWindow());
    box->setDefaultButton(QMessageBox::Retry);
    box->setAttribute(Qt::WA_DeleteOnClose);
    return box->exec() == QMessageBox::Retry;
}

// The outcomes the user is told about; a cancel and a declined Retry say nothing more.
bool WorthTelling(const ExchangeOutcome& outcome) {
    return outcome.result == ExchangeResult::PortOpenFailed ||
           outcome.result == ExchangeResult::ProgramInterrupt;
}

} // namespace

ProgramTransfer::ProgramTransfer(QWidget* owner, RunSession& session, Hooks hooks)
    : QObject(owner), m_owner(owner), m_session(session), m_hooks(std::move(hooks)),
      m_runner(new TransferRunner(LinkFactory(), this)) {
    connect(m_runner, &TransferRunner::progress, this, [this](int done, int total) {
        if (m_dialog)
            m_dialog->showProgress(done, total);
    });
    connect(m_runner, &TransferRunner::retryRequested, this, &ProgramTransfer::askRetry);
    connect(m_runner, &TransferRunner::finished, this, &ProgramTransfer::finish);
}

ProgramTransfer::~ProgramTransfer() {
    // Before this object's connections go: the runner stops its exchange and waits.
    delete m_runner;
}

void ProgramTransfer::setLinkFactory(LinkFactory linkFactory) {
    m_linkFactory = std::move(linkFactory);
}

void ProgramTransfer::requestRead() {
    request(TransferDirection::Read);
}

void ProgramTransfer::requestWrite() {
    if (m_hooks.commitEdit)
        m_hooks.commitEdit();
    request(TransferDirection::Write);
}

CProcessDlg* ProgramTransfer::progressWindow() const {
    return m_dialog;
}

bool ProgramTransfer::isRunning() const {
    return m_runner->isRunning();
}

void ProgramTransfer::cancel() {
    m_runner->cancel();
}

void ProgramTransfer::request(TransferDirection direction) {
    m_direction = direction;
    m_caption = CaptionFor(direction);
    if (!m_dialog) // otherwise this only prepares the next exchange
        openWindow();
}

void ProgramTransfer::openWindow() {
    m_dialog = new CProcessDlg(m_owner);
    m_dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_dialog->setWindowTitle(m_caption);
    m_dialog->setProperty(kHelpIdProperty, m_direction == TransferDirection::Read
                                               ? CommandId::kRead
                                               : CommandId::kWrite);
    connect(m_dialog, &CProcessDlg::startRequested, this, &ProgramTransfer::start);
    connect(m_dialog, &CProcessDlg::cancelRequested, this, [this] {
        m_runner->cancel();
        if (m_dialog && !m_dialog->hasStarted())
            closeWindow();
    });
    m_dialog->show();
    m_dialog->raise();
    m_dialog->activateWindow();
}

void ProgramTransfer::start() {
    if (m_runner->isRunning())
        return;
    if (m_hooks.commitEdit)
        m_hooks.commitEdit();
    TransferJob job;
    job.direction = m_direction;
    job.device = AskExchangeDevice(m_dialog ? static_cast<QWidget*>(m_dialog) : m_owner,
                                   m_session.portName(),
                                   [this](const QString& note) { showStatus(note); });
    if (job.direction == TransferDirection::Write && m_hooks.imageToWrite) {
        job.image = m_hooks.imageToWrite();
        backUp(job.image, BackupKind::Write);
    }
    m_runner->setLinkFactory(m_linkFactory ? m_linkFactory : m_session.serialLinks());
    m_runningDirection = job.direction;
    m_runner->start(job, ProgrammingRun(m_session.alignmentUnlocked()));
}

// The question runs its own event loop; the window may be closed meanwhile, taking this
// object and its runner along (which answers Cancel to the worker itself).
void ProgramTransfer::askRetry() {
    const QPointer<TransferRunner> runner = m_runner;
    const bool retry = UserWantsRetry();
    if (runner)
        runner->answerRetry(retry);
}

void ProgramTransfer::finish(const TransferJob& job, const ExchangeOutcome& outcome) {
    const QPointer<ProgramTransfer> alive(this);
    if (WorthTelling(outcome))
        tellOutcome(outcome);
    if (!alive) // the window was closed while the message was up
        return;
    closeWindow();
    const bool succeeded = outcome.succeeded();
    if (succeeded && job.direction == TransferDirection::Read) {
        backUp(job.image, BackupKind::Read);
        if (m_hooks.readCompleted)
            m_hooks.readCompleted(job.image);
    }
    emit finished(succeeded);
}

void ProgramTransfer::tellOutcome(const ExchangeOutcome& outcome) {
    QString text = outcome.message;
    if (outcome.partlyWritten)
        text += u'\n' + PartialWriteAdvice();
    // On the heap: the owner may close (and delete its children) while the box is up.
    auto* box = new QMessageBox(QMessageBox::Warning, startupConfig().applicationName, text,
                                QMessageBox::Ok, m_owner);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setInformativeText(outcome.portDetail);
    box->exec();
}

// Every image read from the radio, and every image about to be written to it, is kept
// in the backups folder. A backup that cannot be saved never fails the exchange: the
// user is told in the status bar, and the first time also in a message that does not
// hold up the exchange. Older backups removed are told in the status bar; an image
// already kept is no news.
void ProgramTransfer::backUp(const RadioImage& image, BackupKind kind) {
    const KeptBackup kept =
        KeepBackup(BackupFolder(UserStore(startupConfig().iniFilePath).appName()), image, kind,
                   QDateTime::currentDateTime());
    if (kept.error.isEmpty()) {
        if (!kept.removed.isEmpty())
            showStatus(kept.note());
        return;
    }
    const QString warning = OwnText("No backup kept (%1)").arg(kept.error);
    showStatus(warning);
    if (!m_session.firstBackupWarning())
        return;
    auto* box = new QMessageBox(QMessageBox::Warning, startupConfig().applicationName, warning,
                                QMessageBox::Ok, m_owner);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
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
