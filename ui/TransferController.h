#pragma once
// The window side of every exchange with the radio: a TransferRunner job on the run's
// session, the device (and its stand-in), the Retry question, the outcome message, the
// backups, cancel, and closing the window while an exchange runs. The user-interface
// thread never waits on the worker. Two forms use it:
//
// - The channel view's Read and Write (requestRead, requestWrite): the progress window
//   CProcessDlg, whose OK starts the programming exchange. Rules kept from the radio's
//   own software: the direction and the caption are taken from the last Read or Write
//   command; a command given while a window is already there (or an exchange runs)
//   only prepares the next exchange. Every image read, and every image about to be
//   written, is kept in the backups folder. Only a failure is told.
//   A Write reads the radio first: a radio of another model or band is written only
//   when the user insists, and so is an image with frequencies the grid would refuse.
//   Unless the user turned it off, the changes are shown and confirmed first (a radio
//   that holds the image already is not written). Then the image is written and
//   (unless the user turned it off) the written blocks are read back and compared.
//   Every Write ends with one line in the programming log (ProgrammingLogFile).
//   Restore Radio (requestRestore) is a Write too, in the same progress window: its
//   image is the backup the user chooses once the radio is read.
// - The adjust dialogs' Read and Write (startAlignment): the alignment exchange of one
//   calibration table starts at once; the dialog shows itself busy. Every outcome the
//   exchange words is told.
//
// The cancel flag is seen by the exchange only at its fixed check points.

#include "document/ChannelEdit.h"
#include "files/Backups.h"
#include "files/ProgrammingLog.h"
#include "link/AlignmentExchange.h"
#include "link/TransferJob.h"
#include "radio/Language.h"
#include "ui/Prompts.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <functional>
#include <optional>

class CProcessDlg;
class QWidget;
class RunSession;
class TransferRunner;

// What the exchanges of a window need from the run.
struct TransferContext {
    RunSession& session;    // the port, the alignment unlock and the trace
    const Prompts& prompts; // the questions, messages and status-bar notes
    Language language;      // of the captions and the alignment exchange's words
    QString iniFilePath;    // Program.ini: the stand-in choice, the backups folder
};

// The question before the program or one of its windows closes while an exchange runs:
// a write cut short leaves the radio half written. True when the user insists.
enum class ClosingWhat { Program, Window };
bool UserClosesDuringTransfer(const Prompts& prompts, QWidget* parent, bool writing,
                              ClosingWhat closing);

class TransferController : public QObject {
    Q_OBJECT
public:
    struct Hooks {
        // The exchange has ended, before anything else is done or told.
        std::function<void()> ended;
        // Closes an open cell editor with validation (before a Write command and at the
        // start of every exchange of the progress window).
        std::function<void()> commitEdit;
        // The image a write sends.
        std::function<RadioImage()> imageToWrite;
        // A read succeeded: what arrived (for an alignment read, only the table's bytes
        // are the radio's).
        std::function<void(const RadioImage&)> readCompleted;
        // The Write's hooks below start empty, so a caller that sets only the ones above
        // need not name them.
        // The changes a Write makes from `held` to `after`, shown over `parent`: true
        // when the user goes on. Without it a Write shows none.
        std::function<bool(QWidget* parent, const RadioImage& held, const RadioImage& after)>
            confirmChanges{};
        // The band a Write checks the image's frequencies against: the one typing is
        // checked against. Without it nothing is checked.
        std::function<BandLimits()> writeBand{};
        // The image a restore writes to the radio holding `held`, chosen over `parent`;
        // none when the user cancels.
        std::function<std::optional<RadioImage>(QWidget* parent, const RadioImage& held)>
            chooseBackup{};
    };

    TransferController(QWidget* owner, TransferContext context, Hooks hooks);
    // A running exchange is cancelled and waited for (see TransferRunner).
    ~TransferController() override;

    // The links of the next exchanges (by default the session's serial ports).
    void setLinkFactory(LinkFactory linkFactory);

    // The channel view's commands: the progress window.
    void requestRead();
    void requestWrite();
    // Program > Restore Radio: a Write whose image is chosen (chooseBackup) once the
    // radio is read.
    void requestRestore();
    TransferDirection nextDirection() const { return m_direction; }
    CProcessDlg* progressWindow() const;

    // The adjust dialogs' commands: the alignment exchange of `table` starts at once.
    // False (and nothing happens) while an exchange runs.
    bool startAlignment(TransferDirection direction, CalibrationTable table);

    bool isRunning() const;
    // The direction of the exchange that runs (see isRunning()).
    TransferDirection runningDirection() const { return m_runningDirection; }
    // The running exchange stops at its next cancel point; finished() follows.
    void cancel();

    // The owner's window wants to close. True when no exchange runs. Otherwise false:
    // the user is asked (once, see UserClosesDuringTransfer); when they insist the
    // exchange is cancelled and `closeAgain` runs, from the event loop, after it ended.
    bool mayClose(std::function<void()> closeAgain);

signals:
    // The exchange ended (after its message, if any, was answered).
    void finished(bool succeeded);

private:
    // The exchanges of the channel view's Write, in their order.
    enum class WriteStep { None, ReadFirst, Write, ReadBack };

    void request(TransferDirection direction);
    void openWindow();
    void startProgramming();
    QString askDevice(QWidget* parent);
    void askRetry();
    void finish(const TransferJob& job, const ExchangeOutcome& outcome);
    void startWriteStep(WriteStep step, const TransferJob& job);
    bool writeGoesOn(const TransferJob& job);
    bool writeAfterRead(const TransferJob& job);
    std::optional<RadioImage> imageFor(const RadioImage& held);
    bool userTakesTarget(const RadioImage& held, const RadioImage& image);
    bool userTakesFaults(const RadioImage& image);
    bool userTakesChanges(const RadioImage& held);
    void checkReadBack(const RadioImage& readBack);
    void endWrite(const ExchangeOutcome& outcome, WriteStep step);
    void logWrite();
    void tellOutcome(const ExchangeOutcome& outcome);
    QString backUp(const RadioImage& image, BackupKind kind);
    void closeWindow();
    // The progress window while there is one, else the owner.
    QWidget* questionParent() const;

    QWidget* m_owner;
    TransferContext m_context;
    Hooks m_hooks;
    LinkFactory m_linkFactory; // empty: the session's serial ports
    TransferRunner* m_runner;
    TransferDirection m_direction = TransferDirection::Read;
    TransferDirection m_runningDirection = TransferDirection::Read;
    // The table of the running alignment exchange; none for the programming exchange.
    std::optional<CalibrationTable> m_alignmentTable;
    QPointer<CProcessDlg> m_dialog;
    std::function<void()> m_closeAgain; // set while a close waits for the exchange's end

    // The Write under way: its step, the image it sends, its line of the log, and what
    // its end tells besides the exchange's own failure.
    WriteStep m_writeStep = WriteStep::None;
    bool m_writeAlignment = false;
    RadioImage m_written{};
    bool m_restoring = false; // the next Write writes back a backup the user chooses
    ProgrammingRecord m_record;
    QElapsedTimer m_writeClock;
    std::optional<Prompt> m_writeMessage;
};
