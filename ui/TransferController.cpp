#include "ui/TransferController.h"

#include "config/ProductCatalog.h"
#include "config/UserStore.h"
#include "files/Backups.h"
#include "link/AlignmentExchange.h"
#include "link/DetectedPorts.h"
#include "link/LinkProtocol.h"
#include "link/ProgrammingExchange.h"
#include "link/RunSession.h"
#include "link/TransferRunner.h"
#include "radio/ChannelCodec.h"
#include "radio/OwnTexts.h"
#include "radio/WriteTarget.h"
#include "ui/CProcessDlg.h"
#include "ui/CommandIds.h"
#include "ui/HelpHook.h"
#include "ui/Prompts.h"
#include "ui/StandInPort.h"

#include <QApplication>
#include <algorithm>
#include <QDir>
#include <QFileInfo>
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

// The read back after a write: the job's image is what was written, and becomes the
// image with the written blocks as the radio gave them back.
ExchangeRun ReadBackRun(bool alignmentUnlocked) {
    return [alignmentUnlocked](SerialLink& link, TransferJob& job,
                               const ExchangeCallbacks& callbacks) {
        ProgrammingExchange exchange(link, callbacks);
        int firstDifference = -1;
        RadioImage readBack = job.image;
        const ExchangeOutcome outcome =
            exchange.verify(job.device, job.image, alignmentUnlocked, &firstDifference, &readBack);
        job.image = readBack;
        return outcome;
    };
}

QString HexByte(int value) {
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
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
    m_restoring = false;
    request(TransferDirection::Read);
}

void TransferController::requestWrite() {
    if (m_hooks.commitEdit)
        m_hooks.commitEdit();
    m_restoring = false;
    request(TransferDirection::Write);
}

void TransferController::requestRestore() {
    m_restoring = true;
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
    job.device = askDevice(questionParent());
    m_runner->setLinkFactory(m_linkFactory ? m_linkFactory : m_context.session.serialLinks());
    m_runningDirection = job.direction;
    m_alignmentTable.reset();
    if (job.direction == TransferDirection::Read) {
        m_runner->start(job, ProgrammingRun(m_context.session.alignmentUnlocked()));
        return;
    }
    m_writeAlignment = m_context.session.alignmentUnlocked();
    m_record = ProgrammingRecord();
    m_record.time = QDateTime::currentDateTime();
    m_record.port = job.device;
    const Cable cable = CableAt(job.device); // the same fields as the station's lines
    m_record.usbSerial = cable.usbSerial;
    m_record.usbId = cable.usbId;
    m_record.operatorName = UserStore(m_context.iniFilePath).operatorName();
    m_writeMessage.reset();
    m_writeClock.start();
    startWriteStep(WriteStep::ReadFirst, job);
}

// Each step is an exchange of its own on the same device; the progress window stays.
void TransferController::startWriteStep(WriteStep step, const TransferJob& job) {
    m_writeStep = step;
    TransferJob next = job;
    next.direction = step == WriteStep::ReadFirst ? TransferDirection::Read : TransferDirection::Write;
    if (step == WriteStep::ReadBack)
        m_runner->start(next, ReadBackRun(m_writeAlignment));
    else
        m_runner->start(next, ProgrammingRun(m_writeAlignment));
}

// After a step that succeeded: true when the next step runs (or this object is gone),
// false when the Write ends here.
bool TransferController::writeGoesOn(const TransferJob& job) {
    switch (m_writeStep) {
    case WriteStep::ReadFirst:
        return writeAfterRead(job);
    case WriteStep::Write:
        if (UserStore(m_context.iniFilePath).verifiesAfterWriting()) {
            startWriteStep(WriteStep::ReadBack, job);
            return true;
        }
        m_record.result = ProgrammingResult::Written;
        return false;
    case WriteStep::ReadBack:
        checkReadBack(job.image);
        return false;
    case WriteStep::None:
        break;
    }
    return false;
}

// The radio as read is kept, and must be one the document is meant for.
bool TransferController::writeAfterRead(const TransferJob& job) {
    const QPointer<TransferController> alive(this);
    const RadioImage& held = job.image;
    m_record.backup = backUp(held, BackupKind::Read);
    m_record.fingerprint = RadioFingerprint(held, !m_writeAlignment);
    const std::optional<RadioImage> image = imageFor(held);
    if (!alive)
        return true;
    if (!image) {
        m_record.result = ProgrammingResult::Failed;
        m_record.failure = QStringLiteral("no backup chosen");
        return false;
    }
    m_written = *image;
    // Each question runs its own event loop: the window may be closed meanwhile.
    if (!userTakesTarget(held, m_written) || !alive || !userTakesFaults(m_written) || !alive ||
        !userTakesChanges(held) || !alive)
        return !alive;
    m_record.imageSha256 = ImageSha256(m_written);
    backUp(m_written, BackupKind::Write);
    TransferJob write = job;
    write.image = m_written;
    startWriteStep(WriteStep::Write, write);
    return true;
}

// The document's image, or for a restore the backup the user chooses.
std::optional<RadioImage> TransferController::imageFor(const RadioImage& held) {
    if (m_restoring)
        return m_hooks.chooseBackup ? m_hooks.chooseBackup(questionParent(), held) : std::nullopt;
    return m_hooks.imageToWrite ? m_hooks.imageToWrite() : held;
}

// Another model or band is a question, default No; another identity block only a note.
bool TransferController::userTakesTarget(const RadioImage& held, const RadioImage& image) {
    const WriteTargetCheck target = CheckWriteTarget(held, image);
    if (target.identityDiffers && !target.refusesWrite())
        m_context.prompts.note(m_owner, OwnText("The radio's identity block differs from the "
                                                "document's; the document's is written."));
    if (!target.refusesWrite())
        return true;
    // The band is named, after the model when the models differ.
    const QString& ini = m_context.iniFilePath;
    const auto named = [&](int model, int band) {
        return target.modelDiffers ? ProductName(ini, model, band) : BandName(ini, model, band);
    };
    Prompt prompt;
    prompt.icon = QMessageBox::Warning;
    prompt.text = OwnText("The radio is for %1; this document is for %2. Write anyway?")
                      .arg(named(target.radioModel, target.radioBand),
                           named(target.imageModel, target.imageBand));
    prompt.buttons = QMessageBox::Yes | QMessageBox::No;
    prompt.defaultButton = QMessageBox::No;
    if (m_context.prompts.ask(questionParent(), prompt) == QMessageBox::Yes)
        return true;
    m_record.result = ProgrammingResult::WrongTarget;
    return false;
}

// Frequencies the grid would refuse are named, channel by channel; a question, default No.
bool TransferController::userTakesFaults(const RadioImage& image) {
    if (!m_hooks.writeBand)
        return true;
    const BandLimits band = m_hooks.writeBand();
    const std::vector<ChannelFrequencyFault> faults = ImageFrequencyFaults(image, band);
    if (faults.empty())
        return true;
    const Language language = m_context.language;
    QStringList lines;
    for (const ChannelFrequencyFault& fault : faults)
        lines << FrequencyFaultLine(fault, band, language);
    Prompt prompt;
    prompt.icon = QMessageBox::Warning;
    prompt.text = OwnText("These frequencies would be refused if typed:\n%1\nWrite anyway?")
                      .arg(lines.join(u'\n'));
    prompt.buttons = QMessageBox::Yes | QMessageBox::No;
    prompt.defaultButton = QMessageBox::No;
    const QPointer<TransferController> alive(this);
    if (m_context.prompts.ask(questionParent(), prompt) == QMessageBox::Yes || !alive)
        return true;
    m_record.result = ProgrammingResult::Failed;
    m_record.failure = QStringLiteral("not confirmed");
    return false;
}

// The changes are shown unless the user turned that off. A radio that holds the image
// already is not written; Cancel writes nothing.
bool TransferController::userTakesChanges(const RadioImage& held) {
    if (!m_hooks.confirmChanges || !UserStore(m_context.iniFilePath).showsChangesBeforeWriting())
        return true;
    const RadioImage after = ImageAfterWrite(held, m_written, m_writeAlignment);
    if (after == held) {
        m_record.result = ProgrammingResult::AlreadyProgrammed;
        m_context.prompts.note(m_owner,
                               OwnText("The radio already holds this image; nothing was written."));
        return false;
    }
    const QPointer<TransferController> alive(this);
    if (m_hooks.confirmChanges(questionParent(), held, after) || !alive)
        return true;
    m_record.result = ProgrammingResult::Failed;
    m_record.failure = QStringLiteral("not confirmed");
    return false;
}

// The read back holds the written blocks as the radio returned them.
void TransferController::checkReadBack(const RadioImage& readBack) {
    const auto differs = std::mismatch(m_written.begin(), m_written.end(), readBack.begin());
    if (differs.first == m_written.end()) {
        m_record.result = ProgrammingResult::WrittenVerified;
        m_context.prompts.note(m_owner, OwnText("Written and verified"));
        return;
    }
    const int address = static_cast<int>(differs.first - m_written.begin());
    m_record.result = ProgrammingResult::Failed;
    m_record.failure = QStringLiteral("verify failed");
    Prompt prompt;
    prompt.icon = QMessageBox::Warning;
    prompt.text = OwnText("Verify failed at 0x%1: the radio holds %2, the image %3")
                      .arg(QString::number(address, 16).toUpper().rightJustified(3, u'0'),
                           HexByte(*differs.second), HexByte(*differs.first));
    m_writeMessage = prompt;
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
    if (outcome.succeeded() && m_writeStep != WriteStep::None && writeGoesOn(job))
        return; // the next step runs, or the window was closed while a question was up
    const WriteStep step = std::exchange(m_writeStep, WriteStep::None);
    if (m_hooks.ended)
        m_hooks.ended();
    bool succeeded = outcome.succeeded();
    if (step != WriteStep::None) {
        endWrite(outcome, step);
        succeeded = m_record.result == ProgrammingResult::Written ||
                    m_record.result == ProgrammingResult::WrittenVerified ||
                    m_record.result == ProgrammingResult::AlreadyProgrammed;
    } else if (succeeded && job.direction == TransferDirection::Read) {
        if (!m_alignmentTable)
            backUp(job.image, BackupKind::Read);
        if (m_hooks.readCompleted)
            m_hooks.readCompleted(job.image);
    }
    tellOutcome(outcome);
    if (alive && m_writeMessage)
        m_context.prompts.show(m_owner, *std::exchange(m_writeMessage, std::nullopt));
    if (!alive) // the window was closed while the message was up
        return;
    closeWindow();
    emit finished(succeeded);
    if (m_closeAgain)
        QTimer::singleShot(0, m_owner, std::exchange(m_closeAgain, nullptr));
}

// The log's result of a Write that ended with `step`, and its line.
void TransferController::endWrite(const ExchangeOutcome& outcome, WriteStep step) {
    if (!outcome.succeeded()) {
        m_record.result = ProgrammingResult::Failed;
        if (step == WriteStep::ReadFirst)
            m_record.failure = QStringLiteral("the radio could not be read: ") + FailureOf(outcome);
        else if (step == WriteStep::ReadBack)
            m_record.failure = QStringLiteral("verify failed");
        else
            m_record.failure = FailureOf(outcome);
    }
    m_record.durationMs = m_writeClock.elapsed();
    logWrite();
}

// A log that cannot be written is a note: the radio is written all the same.
void TransferController::logWrite() {
    const QString path = ProgrammingLogFile(UserStore(m_context.iniFilePath).appName());
    QDir().mkpath(QFileInfo(path).absolutePath());
    ProgrammingLog log(path, LogFormat::JsonLines);
    QString error;
    if (!log.open(&error) || !log.append(m_record, &error))
        m_context.prompts.note(m_owner, OwnText("Not logged (%1)").arg(error));
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
// Returns the backup's path (empty when none was kept).
QString TransferController::backUp(const RadioImage& image, BackupKind kind) {
    const KeptBackup kept = KeepBackup(BackupFolder(UserStore(m_context.iniFilePath).appName()),
                                       image, kind, QDateTime::currentDateTime());
    if (kept.error.isEmpty()) {
        if (!kept.removed.isEmpty())
            m_context.prompts.note(m_owner, kept.note());
        return kept.path;
    }
    const QString warning = OwnText("No backup kept (%1)").arg(kept.error);
    m_context.prompts.note(m_owner, warning);
    if (!m_context.session.firstBackupWarning())
        return {};
    Prompt prompt;
    prompt.icon = QMessageBox::Warning;
    prompt.text = warning;
    prompt.waitsForAnswer = false;
    m_context.prompts.show(m_owner, prompt);
    return {};
}

void TransferController::closeWindow() {
    if (m_dialog)
        m_dialog->deleteLater();
    m_dialog = nullptr;
}

QWidget* TransferController::questionParent() const {
    return m_dialog ? static_cast<QWidget*>(m_dialog) : m_owner;
}
