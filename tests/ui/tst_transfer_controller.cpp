// The window side of a radio transfer. Against a slow scripted radio: the runner on its
// worker thread and the progress window. Against the real link: a port that cannot open,
// and the event loop while the worker waits out real time-outs.

#include "ui/CProcessDlg.h"
#include "tests/support/Files.h"
#include "tests/support/Modal.h"
#include "config/ProgramIni.h"
#include "config/UserStore.h"
#include "ui/Prompts.h"
#include "ui/TransferController.h"
#include "link/ProgrammingExchange.h"
#include "link/RunSession.h"
#include "tests/support/SimulatorProcess.h"
#include "tests/support/SlowRadio.h"
#include "config/StartupConfig.h"
#include "radio/OwnTexts.h"
#include "tests/support/TestRun.h"
#include "tests/support/TestSuite.h"
#include "link/TransferRunner.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <memory>
#include <optional>

namespace {

// A runner on the slow radio and what it reported. Every receiver names the runner as
// its context, so that it runs on the owner's thread.
struct Bench : SlowRadio {
    std::unique_ptr<TransferRunner> runner = std::make_unique<TransferRunner>(links());
    QList<QPair<int, int>> progress;
    bool progressOffTheOwnersThread = false;
    std::optional<TransferJob> job;
    std::optional<ExchangeOutcome> outcome;

    Bench() : SlowRadio(PatternImage(5)) {
        QObject::connect(
            runner.get(), &TransferRunner::progress, runner.get(), [this](int done, int total) {
                progress.append({done, total});
                progressOffTheOwnersThread |= QThread::currentThread() != qApp->thread();
            });
        QObject::connect(runner.get(), &TransferRunner::finished, runner.get(),
                         [this](const TransferJob& j, const ExchangeOutcome& o) {
                             job = j;
                             outcome = o;
                         });
    }
    bool read() {
        return runner->start({TransferDirection::Read, QStringLiteral("COM1"), NewImage()},
                             ProgrammingRun(false));
    }
    bool waitForEnd() {
        return QTest::qWaitFor([this] { return outcome.has_value(); }, 20000);
    }
};

// A window with the transfer of its channel view over the slow radio.
struct Window : SlowRadio {
    RunSession session;
    Prompts prompts;
    QPointer<QMainWindow> owner = new QMainWindow;
    QPointer<TransferController> transfer;
    RadioImage received = NewImage(); // what a read handed to the window

    Window() : SlowRadio(PatternImage(5)) {
        transfer = new TransferController(
            owner, {session, prompts, Language::English, startupConfig().iniFilePath},
            {nullptr, nullptr, [] { return NewImage(); },
             [this](const RadioImage& image) { received = image; }});
        transfer->setLinkFactory(links());
    }
    ~Window() { delete owner; }

    // Read (or Write), then OK in the progress window.
    QPointer<CProcessDlg> start(bool write = false) {
        write ? transfer->requestWrite() : transfer->requestRead();
        QPointer<CProcessDlg> window = transfer->progressWindow();
        window->findChild<QPushButton*>()->click();
        return window;
    }
};

} // namespace

class TransferRunnerTest : public QObject {
    Q_OBJECT
private slots:
    void readReportsEveryBlockOnTheOwnersThread() {
        Bench bench;
        QVERIFY(bench.read());
        QVERIFY(bench.runner->isRunning());
        QVERIFY(!bench.read()); // one exchange at a time
        QVERIFY(bench.waitForEnd());
        QCOMPARE(bench.outcome->result, ExchangeResult::Success);
        QVERIFY(bench.job->image == PatternImage(5));
        QCOMPARE(bench.progress.size(), 129); // the plan, then each of 128 blocks
        QCOMPARE(bench.progress.first(), qMakePair(0, 128));
        QCOMPARE(bench.progress.last(), qMakePair(128, 128));
        QVERIFY(!bench.progressOffTheOwnersThread);
        QVERIFY(!bench.runner->isRunning());
        QCOMPARE(bench.link->closes, bench.link->opens);
    }

    void nobodyToAskCountsAsCancel() {
        Bench bench;
        bench.radio->refuseHandshakeAcks = 1;
        QVERIFY(bench.read());
        QVERIFY(bench.waitForEnd());
        QCOMPARE(bench.outcome->result, ExchangeResult::CommunicationFailed);
    }

    void cancelIsSeenAfterTheCurrentBlock() {
        Bench bench;
        bench.answerDelayMs = 2; // slow enough for the owner to see progress mid-way
        QObject::connect(bench.runner.get(), &TransferRunner::progress, bench.runner.get(),
                         [&](int done, int) {
                             if (done == 3)
                                 bench.runner->cancel();
                         });
        QVERIFY(bench.read());
        QVERIFY(bench.waitForEnd());
        QCOMPARE(bench.outcome->result, ExchangeResult::Cancelled);
        QVERIFY(bench.progress.last().first < 128);
        QVERIFY(bench.job->image == NewImage()); // a cancelled read hands over nothing
        QCOMPARE(bench.link->closes, bench.link->opens);
    }

    // The owner goes away while the worker waits for the Retry answer, or while the
    // radio is still sending: the destructor neither deadlocks nor leaves the port open.
    void destroyedMidTransferStopsTheWorker_data() {
        QTest::addColumn<bool>("whileAsking");
        QTest::newRow("while asking Retry") << true;
        QTest::newRow("while blocks arrive") << false;
    }
    void destroyedMidTransferStopsTheWorker() {
        QFETCH(bool, whileAsking);
        Bench bench;
        bench.answerDelayMs = 2;
        bench.radio->refuseHandshakeAcks = whileAsking ? 1 : 0;
        bool reached = false;
        QObject::connect(bench.runner.get(), &TransferRunner::retryRequested, bench.runner.get(),
                         [&] { reached = true; });
        QObject::connect(bench.runner.get(), &TransferRunner::progress, bench.runner.get(),
                         [&](int done, int) { reached = reached || done >= 2; });
        QVERIFY(bench.read());
        QVERIFY(QTest::qWaitFor([&] { return reached; }, 10000));
        QElapsedTimer timer;
        timer.start();
        bench.runner.reset();
        QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(!bench.outcome); // nothing is reported to an owner that is gone
        QCOMPARE(bench.link->closes, bench.link->opens);
        QVERIFY(bench.radio->blocks < 128);
    }
};

class TransferControllerTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        StartupConfigForTests().iniFilePath = m_run.iniFilePath = m_dir.filePath("Program.ini");
        WriteProfileString(startupConfig().iniFilePath, "Setup", "AppName", "TransferControllerTest");
    }

    void progressWindowFollowsTheRead() {
        Window rig;
        rig.answerDelayMs = 1;
        QSignalSpy finished(rig.transfer.data(), &TransferController::finished);
        const QPointer<CProcessDlg> window = rig.start();
        QCOMPARE(window->windowTitle(), QString("Read Data"));
        rig.transfer->requestWrite(); // meanwhile: only prepares the next exchange
        QCOMPARE(window->windowTitle(), QString("Read Data"));
        auto* bar = window->findChild<QProgressBar*>();
        QVERIFY(QTest::qWaitFor([&] { return !window || bar->value() >= 32; }, 20000));
        QVERIFY(window);
        QCOMPARE(bar->maximum(), 128);
        QVERIFY(window->findChild<QLabel*>()->text().endsWith('%'));
        QVERIFY(finished.wait(20000));
        QCOMPARE(finished.first().first().toBool(), true);
        QVERIFY(rig.received == PatternImage(5));
        QTRY_VERIFY(window.isNull()); // the window goes away at the end
        QVERIFY(rig.transfer->nextDirection() == TransferDirection::Write);
    }

    void retryQuestionDecidesTheExchange_data() {
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::newRow("Retry") << QMessageBox::Retry;
        QTest::newRow("Cancel") << QMessageBox::Cancel;
    }
    void retryQuestionDecidesTheExchange() {
        QFETCH(QMessageBox::StandardButton, answer);
        const bool succeeded = answer == QMessageBox::Retry;
        Window rig;
        rig.radio->refuseHandshakeAcks = 1;
        QSignalSpy finished(rig.transfer.data(), &TransferController::finished);
        SeenMessage seen;
        AnswerNextMessage(&seen, answer);
        rig.start();
        QVERIFY(finished.wait(20000));
        QCOMPARE(seen.text, QString::fromUtf8(kCommunicationErrorText));
        QCOMPARE(seen.buttons, QMessageBox::Retry | QMessageBox::Cancel);
        QCOMPARE(finished.first().first().toBool(), succeeded);
        QCOMPARE(rig.received == PatternImage(5), succeeded);
    }

    // Closing the window while it asks Retry takes the transfer along: the worker stops,
    // the port closes, and nothing reaches the window that is gone.
    void windowClosedMidTransfer() {
        Window rig;
        rig.radio->refuseHandshakeAcks = 1;
        QElapsedTimer closing;
        WhenModal<QMessageBox>([&](QMessageBox* box) {
            const QPointer<QMessageBox> question = box;
            closing.start();
            delete rig.owner;
            if (question)
                question->reject();
        });
        rig.start();
        QVERIFY(QTest::qWaitFor([&] { return rig.owner.isNull() && rig.transfer.isNull(); }, 5000));
        QVERIFY2(closing.elapsed() < 2000, qPrintable(QString::number(closing.elapsed())));
        QCOMPARE(rig.link->closes, rig.link->opens);
        QVERIFY(rig.received == NewImage());
    }

    // On the real link, a radio that never acknowledges (Retry is asked, and Cancelled)
    // and a port that cannot open end with their message; the worker waits out the real
    // time-outs while the event loop never goes long without running a 5 ms timer.
    void realLinkFailuresKeepTheWindowResponsive_data() {
        QTest::addColumn<QString>("fault"); // of the simulated radio; none: no radio at all
        QTest::addColumn<QString>("text");
        QTest::newRow("no acknowledge") << "no-ack" << QString(kCommunicationErrorText);
        QTest::newRow("no port") << "" << "Could not Open the Port,Please check whether the Port "
                                          "are occupied or the device are ok";
    }
    void realLinkFailuresKeepTheWindowResponsive() {
        SKIP_WITHOUT_SIMULATOR();
        QFETCH(QString, fault);
        QFETCH(QString, text);
        std::optional<SimulatorProcess> radio;
        if (!fault.isEmpty())
            QVERIFY(radio.emplace(QStringList{"--fault", fault}).isReady());
        m_run.session.setPortName(radio ? radio->linkPath() : m_dir.filePath("no-such-device"));
        QWidget owner;
        TransferController transfer(&owner, m_run.context(), {});
        QSignalSpy finished(&transfer, &TransferController::finished);
        SeenMessage seen;
        AnswerNextMessage(&seen, QMessageBox::Cancel); // or closes the box when it has none
        QElapsedTimer sinceTick;
        qint64 longestStall = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout,
                [&] { longestStall = std::max(longestStall, sinceTick.restart()); });
        transfer.requestRead();
        transfer.progressWindow()->findChild<QPushButton*>()->click();
        sinceTick.start();
        ticker.start(5);
        QVERIFY(finished.wait(30000));
        QCOMPARE(finished.first().first().toBool(), false);
        QCOMPARE(seen.count, 1);
        QCOMPARE(seen.text, text);
        QVERIFY(radio || seen.detail.contains("no-such-device"));
        QVERIFY2(longestStall < 250, qPrintable(QString::number(longestStall)));
    }

    // A write that breaks off after some blocks keeps the exchange's message first and
    // adds, on a line of its own, what the radio may now hold.
    void failedWriteSaysWhatTheRadioMayHold_data() {
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<QString>("advice");
        QTest::newRow("English") << false
                                 << "The radio may hold part of the new data: write again, or "
                                    "restore its backup.";
        QTest::newRow("Chinese") << true
                                 << QString::fromUtf8(
                                        "電台可能只存有部分新資料：請再寫一次，或寫回它的備份。");
    }
    void failedWriteSaysWhatTheRadioMayHold() {
        QFETCH(bool, chinese);
        QFETCH(QString, advice);
        SetMessageLanguage(chinese ? Language::Chinese : Language::English);
        Window rig;
        // The read before the write goes through; the write's session breaks off.
        rig.link->radio = [radio = rig.radio, last = 0](const QByteArray& written) mutable {
            if (radio->blocks < last)
                radio->silentFromBlock = 5;
            last = radio->blocks;
            return radio->answer(written);
        };
        QSignalSpy finished(rig.transfer.data(), &TransferController::finished);
        SeenMessage seen;
        AnswerNextMessage(&seen);
        rig.start(true);
        QVERIFY(finished.wait(30000));
        SetMessageLanguage(Language::English);
        QCOMPARE(seen.text, QString(kProgramInterruptText) + "\n" + advice);
    }

    // A backup that cannot be kept: the status bar says so every time, one message box
    // the first time, both naming the folder and the reason; the read and the write go on.
    void backupThatCannotBeKeptIsTold() {
        const QString folder = BackupFolder("TransferControllerTest");
        QDir(folder).removeRecursively();
        QVERIFY(WriteFileBytes(folder, "a file where the folder should be"));
        const QString why = folder + ": cannot create the backups folder (Not a directory)";
        const auto openBoxes = [] {
            QStringList texts;
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible())
                    texts << box->text();
            return texts;
        };
        Window rig;
        QSignalSpy finished(rig.transfer.data(), &TransferController::finished);
        rig.start();
        QVERIFY(finished.wait(20000));
        QCOMPARE(finished.last().first().toBool(), true);
        QVERIFY(rig.received == PatternImage(5));
        QCOMPARE(rig.owner->statusBar()->currentMessage(), "No backup kept (" + why + ")");
        QCOMPARE(openBoxes(), QStringList{"No backup kept (" + why + ")"});

        rig.owner->statusBar()->clearMessage();
        UserStore(startupConfig().iniFilePath).writeNumber("VerifyAfterWriting", 0);
        rig.start(true);
        QVERIFY(finished.wait(20000));
        QCOMPARE(finished.last().first().toBool(), true);
        QCOMPARE(rig.owner->statusBar()->currentMessage(), "No backup kept (" + why + ")");
        QCOMPARE(openBoxes().size(), 1); // no second box
        QFile::remove(folder);
    }

    void cancelBeforeStartClosesTheWindow() {
        QWidget owner;
        bool prepared = false;
        TransferController transfer(&owner, m_run.context(),
                                    {nullptr, nullptr,
                                  [&] {
                                      prepared = true;
                                      return NewImage();
                                  },
                                  nullptr});
        transfer.requestWrite();
        QPointer<CProcessDlg> window = transfer.progressWindow();
        QCOMPARE(window->windowTitle(), QString("Write Data"));
        QTest::keyClick(window, Qt::Key_Escape);
        QTRY_VERIFY(window.isNull());
        QVERIFY(!transfer.isRunning());
        QVERIFY(!prepared);
    }

private:
    QTemporaryDir m_dir;
    TestRun m_run;
};

TEST_CLASS(TransferRunnerTest)
TEST_CLASS(TransferControllerTest)
#include "tst_transfer_controller.moc"
