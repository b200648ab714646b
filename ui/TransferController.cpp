#include "ui/TransferController.h"

#include "config/UserStore.h"
#include "files/Backups.h"
#include "link/AlignmentExchange.h"
#include "link/ProgrammingExchange.h"
#include "link/RunSession.h"
#include "link/TransferRunner.h"
#include "radio/OwnTexts.h"
#include "ui/CProcessDlg.h"
#include "ui/CommandIds.h"
#include "ui/HelpHook.h"
#include "ui/Prompts.h"
#include "ui/StandInPort.h"

#include <QApplication>
#include <QTimer>

namespace {

QString CaptionFor(TransferDirection direction, Language language) {
    return direction == TransferDirection::Read ? Tr(language, "Read Data", "讀數據")
                                                : Tr(language, "Write Data", "寫數據");
}

// The channel view tells only why an exchange failed; a cancel and a declined Retry
// say nothing more. The partial-write advice goes on a line of its own, the port's
// detail under the text.
std::optional<Prompt> ProgrammingOutcomePrompt(const ExchangeOutcome& outcome) {
    if (outcome.result != ExchangeResult::PortOpenFailed &&
        outcome.result != ExchangeResult::ProgramInterrupt)
        return std::nullopt;
    Prompt prompt;
    prompt.icon = QMessageBox::Warning;
    prompt.text = outcome.message;
    if (outcome.partlyWritten)
        prompt.text += u'\n' + PartialWriteAdvice();
    prompt.detail = outcome.portDetail;
    return prompt;
}

// The adjust dialogs tell every outcome the alignment exchange words, the port's
// detail after an empty line.
std::optional<Prompt> AlignmentOutcomePrompt(const ExchangeOutcome& outcome) {
    if (outcome.message.isEmpty())
        return std::nullopt;
    Prompt prompt;
    prompt.icon = outcome.succeeded() ? QMessageBox::Information : QMessageBox::Warning;
    prompt.text = outcome.message;
    if (!outcome.portDetail.isEmpty())
        prompt.text += QStringLiteral("\n\n") + outcome.portDetail;
    return prompt;
}

} // namespace

bool UserClosesDuringTransfer(const Prompts& prompts, QWidget* parent, bool writing,
                              ClosingWhat closing) {
    const bool program = closing == ClosingWhat::Program;
    Prompt prompt;
    prompt.icon = QMessageBox::Warning;
    if (writing)
        prompt.text = program ? OwnText("A write to the radio is running; closing now leaves the "
                                        "radio half written.\nClose the program anyway?")
                              : OwnText("A write to the radio is running; closing now leaves the "
                                        "radio half written.\nClose the window anyway?");
    else
        prompt.text = program ? OwnText("A read from the radio is running; closing now cancels "
                                        "it.\nClose the program anyway?")
                              : OwnText("A read from the radio is running; closing now cancels "
                                        "it.\nClose the window anyway?");
    prompt.buttons = QMessageBox::Yes | QMessageBox::No;
    prompt.defaultButton = QMessageBox::No;
    return prompts.ask(parent, prompt) == QMessageBox::Yes;
}

TransferController::TransferController(QWidget* owner, TransferContext context, Hooks hooks)
    : QObject(owner), m_owner(owner), m_context(std::move(context)), m_hooks(std::move(hooks)),
      m_runner(new TransferRunner(LinkFactory(), this)) {
    connect(m_runner, &TransferRunner::progress, this, [this](int done, int total) {
        if (m_dialog)
            m_dialog->showProgress(done, total);
    });
    connect(m_runner, &TransferRunner::retryRequested, this, &TransferController::askRetry);
    connect(m_runner, &TransferRunner::finished, this, &TransferController::finish);
}

TransferController::~TransferController() {
    // Before this object's connections go: the runner stops its exchange and waits.
    delete m_runner;
}

void TransferController::setLinkFactory(LinkFactory linkFactory) {
    m_linkFactory = std::move(linkFactory);
}

void TransferController::requestRead() {
    request(TransferDirection::Read);
}

void TransferController::requestWrite() {
    if (m_hooks.commitEdit)
        m_hooks.commitEdit();
    request(TransferDirection::Write);
}

CProcessDlg* TransferController::progressWindow() const {
    return m_dialog;
}

bool TransferController::isRunning() const {
    return m_runner->isRunning();
}

void TransferController::cancel() {
    m_runner->cancel();
}

bool TransferController::mayClose(std::function<void()> closeAgain) {
    if (!isRunning())
        return true;
    if (m_closeAgain) // already ending: the window closes when it has
        return false;
    const bool writing = m_runningDirection == TransferDirection::Write;
    if (!UserClosesDuringTransfer(m_context.prompts, m_owner, writing, ClosingWhat::Window))
        return false;
    if (!isRunning()) // it ended while the question was up
        return true;
    m_closeAgain = std::move(closeAgain);
    cancel();
    return false;
}

void TransferController::request(TransferDirection direction) {
    m_direction = direction;
    if (!m_dialog) // otherwise this only prepares the next exchange
        openWindow();
}

void TransferController::openWindow() {
    m_dialog = new CProcessDlg(m_owner);
    m_dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_dialog->setWindowTitle(CaptionFor(m_direction, m_context.language));
    m_dialog->setProperty(kHelpIdProperty, m_direction == TransferDirection::Read
                                               ? CommandId::kRead
                                               : CommandId::kWrite);
    connect(m_dialog, &CProcessDlg::startRequested, this, &TransferController::startProgramming);
    connect(m_dialog, &CProcessDlg::cancelRequested, this, [this] {
        m_runner->cancel();
        if (m_dialog && !m_dialog->hasStarted())
            closeWindow();
    });
    m_dialog->show();
    m_dialog->raise();
    m_dialog->activateWindow();
}

void TransferController::startProgramming() {
    if (m_runner->isRunning())
        return;
    if (m_hooks.commitEdit)
        m_hooks.commitEdit();
    TransferJob job;
    job.direction = m_direction;
    job.device = askDevice(m_dialog ? static_cast<QWidget*>(m_dialog) : m_owner);
    if (job.direction == TransferDirection::Write && m_hooks.imageToWrite) {
        job.image = m_hooks.imageToWrite();
        backUp(job.image, BackupKind::Write);
    }
    m_runner->setLinkFactory(m_linkFactory ? m_linkFactory : m_context.session.serialLinks());
    m_runningDirection = job.direction;
    m_alignmentTable.reset();
    m_runner->start(job, ProgrammingRun(m_context.session.alignmentUnlocked()));
}

bool TransferController::startAlignment(TransferDirection direction, CalibrationTable table) {
    if (m_runner->isRunning())
        return false;
    TransferJob job;
    job.direction = direction;
    job.device = askDevice(m_owner);
    if (m_hooks.imageToWrite)
        job.image = m_hooks.imageToWrite();
    m_runner->setLinkFactory(m_linkFactory ? m_linkFactory : m_context.session.serialLinks());
    m_runningDirection = direction;
    m_alignmentTable = table;
    return m_runner->start(job, AlignmentRun(table, m_context.language));
}

// The stand-in device, when used, is named in the status bar.
QString TransferController::askDevice(QWidget* parent) {
    const ExchangeDeviceChoice choice =
        AskExchangeDevice(m_context.prompts, parent, m_context.session.portName(),
                          m_context.language, m_context.iniFilePath);
    if (!choice.note.isEmpty())
        m_context.prompts.note(m_owner, choice.note);
    return choice.device;
}

// The question runs its own event loop; the window may be closed meanwhile, taking this
// object and its runner along (which answers Cancel to the worker itself). The window
// under the question may close too: that answers Cancel.
void TransferController::askRetry() {
    const QPointer<TransferRunner> runner = m_runner;
    Prompt prompt;
    prompt.icon = QMessageBox::Critical;
    prompt.text = QString::fromUtf8(kCommunicationErrorText);
    prompt.buttons = QMessageBox::Retry | QMessageBox::Cancel;
    prompt.defaultButton = QMessageBox::Retry;
    const bool retry =
        m_context.prompts.ask(QApplication::activeWindow(), prompt) == QMessageBox::Retry;
    if (runner)
        runner->answerRetry(retry);
}

void TransferController::finish(const TransferJob& job, const ExchangeOutcome& outcome) {
    const QPointer<TransferController> alive(this);
    if (m_hooks.ended)
        m_hooks.ended();
    const bool succeeded = outcome.succeeded();
    if (succeeded && job.direction == TransferDirection::Read) {
        if (!m_alignmentTable)
            backUp(job.image, BackupKind::Read);
        if (m_hooks.readCompleted)
            m_hooks.readCompleted(job.image);
    }
    tellOutcome(outcome);
    if (!alive) // the window was closed while the message was up
        return;
    closeWindow();
    emit finished(succeeded);
    if (m_closeAgain)
        QTimer::singleShot(0, m_owner, std::exchange(m_closeAgain, nullptr));
}

// On the heap (see Prompts::show): the owner may close while the box is up.
void TransferController::tellOutcome(const ExchangeOutcome& outcome) {
    const std::optional<Prompt> prompt =
        m_alignmentTable ? AlignmentOutcomePrompt(outcome) : ProgrammingOutcomePrompt(outcome);
    if (prompt)
        m_context.prompts.show(m_owner, *prompt);
}

// A backup that cannot be saved never fails the exchange: the user is told in the
// status bar, and the first time also in a message that does not hold up the exchange.
// Older backups removed are told in the status bar; an image already kept is no news.
void TransferController::backUp(const RadioImage& image, BackupKind kind) {
    const KeptBackup kept = KeepBackup(BackupFolder(UserStore(m_context.iniFilePath).appName()),
                                       image, kind, QDateTime::currentDateTime());
    if (kept.error.isEmpty()) {
        if (!kept.removed.isEmpty())
            m_context.prompts.note(m_owner, kept.note());
        return;
    }
    const QString warning = OwnText("No backup kept (%1)").arg(kept.error);
    m_context.prompts.note(m_owner, warning);
    if (!m_context.session.firstBackupWarning())
        return;
    Prompt prompt;
    prompt.icon = QMessageBox::Warning;
    prompt.text = warning;
    prompt.waitsForAnswer = false;
    m_context.prompts.show(m_owner, prompt);
}

void TransferController::closeWindow() {
    if (m_dialog)
        m_dialog->deleteLater();
    m_dialog = nullptr;
}
