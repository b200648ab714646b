// The window side of a radio transfer: the progress window, the worker thread, the
// questions and messages, and the COM Setup dialog, against the simulated radio.

#include "AppConfig.h"
#include "CComSetupDlg.h"
#include "CProcessDlg.h"
#include "Files.h"
#include "Modal.h"
#include "ProgramIni.h"
#include "ProgramTransfer.h"
#include "RadioImage.h"
#include "SimulatorProcess.h"
#include "TestSuite.h"
#include "UserStore.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class LinkUiTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        appConfig().iniFilePath = m_dir.filePath("Program.ini");
        WriteProfileString(appConfig().iniFilePath, "Setup", "AppName", "LinkUiTest");
    }

    void readArrivesWholeAndKeepsTheWindowResponsive() {
        SimulatorProcess radio(PatternImage(1));
        QVERIFY(radio.isReady());
        appConfig().portName = radio.linkPath();

        QWidget owner;
        RadioImage received = NewImage();
        int reads = 0;
        ProgramTransfer transfer(&owner, {nullptr, nullptr, [&](const RadioImage& image) {
                                              received = image;
                                              ++reads;
                                          }});
        QSignalSpy finished(&transfer, &ProgramTransfer::finished);
        transfer.requestRead();
        QVERIFY(transfer.progressWindow());
        QCOMPARE(transfer.progressWindow()->windowTitle(), QString("Read Data"));
        QPointer<CProcessDlg> window = transfer.progressWindow();
        window->findChild<QPushButton*>()->click(); // OK
        QVERIFY(transfer.isRunning());
        // A Write command meanwhile only prepares the next exchange.
        transfer.requestWrite();
        QCOMPARE(window->windowTitle(), QString("Read Data"));
        QVERIFY(finished.wait(30000));
        QCOMPARE(finished.first().first().toBool(), true);
        QCOMPARE(reads, 1);
        QVERIFY(received == PatternImage(1));
        QTest::qWait(50);
        QVERIFY(window.isNull()); // the window goes away at the end
        QVERIFY(transfer.nextDirection() == TransferDirection::Write);
    }

    void failedHandshakeAsksRetryWithoutBlockingTheWindow() {
        SimulatorProcess radio({"--fault", "no-ack"});
        QVERIFY(radio.isReady());
        appConfig().portName = radio.linkPath();
        QWidget owner;
        int reads = 0;
        ProgramTransfer transfer(&owner, {nullptr, nullptr, [&](const RadioImage&) { ++reads; }});
        QSignalSpy finished(&transfer, &ProgramTransfer::finished);
        MessageAnswerer answerer(QMessageBox::Cancel);

        // The longest the event loop goes without running a 5 ms timer.
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
        ticker.stop();
        QCOMPARE(finished.first().first().toBool(), false);
        QCOMPARE(reads, 0);
        QCOMPARE(
            answerer.texts.value(0),
            QString("Communication Error,Please check all the connections and the radio power"));
        qInfo("longest stall of the user-interface thread: %lld ms", longestStall);
        QVERIFY2(longestStall < 250, qPrintable(QString::number(longestStall)));
    }

    void portThatCannotOpenSaysWhy() {
        appConfig().portName = m_dir.filePath("no-such-device");
        QWidget owner;
        ProgramTransfer transfer(&owner, {});
        QSignalSpy finished(&transfer, &ProgramTransfer::finished);
        MessageAnswerer answerer(QMessageBox::Ok);
        transfer.requestWrite();
        transfer.progressWindow()->findChild<QPushButton*>()->click();
        QVERIFY(finished.wait(10000));
        QCOMPARE(answerer.texts.value(0),
                 QString("Could not Open the Port,Please check whether the Port are occupied or "
                         "the device are ok"));
        QVERIFY(answerer.details.value(0).contains("no-such-device"));
    }

    void cancelBeforeStartClosesTheWindow() {
        QWidget owner;
        bool prepared = false;
        ProgramTransfer transfer(&owner, {nullptr,
                                          [&] {
                                              prepared = true;
                                              return NewImage();
                                          },
                                          nullptr});
        transfer.requestWrite();
        QPointer<CProcessDlg> window = transfer.progressWindow();
        QCOMPARE(window->windowTitle(), QString("Write Data"));
        QTest::keyClick(window, Qt::Key_Escape);
        QTest::qWait(20);
        QVERIFY(window.isNull());
        QVERIFY(!transfer.isRunning());
        QVERIFY(!prepared);
    }

    // What COM Setup shows and stores is ComSetupTest's; a port given on the command line
    // still outranks the stored choice.
    void commandLinePortOutranksTheStoredOne() {
        UserStore(appConfig().iniFilePath).writeNumber("com", 3);
        appConfig().commandLinePort = "/dev/pts/9";
        InitPortNameFromStore();
        QCOMPARE(appConfig().portName, QString("/dev/pts/9"));
        appConfig().commandLinePort.clear();
        InitPortNameFromStore();
        QCOMPARE(appConfig().portName, QString("COM3"));
    }

private:
    QTemporaryDir m_dir;
};

TEST_CLASS(LinkUiTest)
#include "tst_link_ui.moc"
