// The Read and Write buttons of both dialogs against a scripted radio on a fake link:
// what reaches the image, the grid and the radio, and the messages shown.

#include "ui/CMSFlexGrid.h"
#include "alignment/CPowerAdjustDlg.h"
#include "alignment/CSqlAdjustDlg.h"
#include "tests/support/Modal.h"
#include "radio/ProductInfo.h"
#include "document/ProgramDoc.h"
#include "tests/support/SimulatorProcess.h"
#include "tests/support/SlowRadio.h"
#include "tests/support/TestRun.h"
#include "radio/OwnTexts.h"
#include "tests/support/TestSuite.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTemporaryDir>

using namespace ImageMap;

namespace {

const BandLimits k136To174 = BandLimitsFromText("136 - 174MHz");

// A radio whose calibration differs from a new image's.
RadioImage RadioMemory() {
    RadioImage memory = NewImage();
    for (int k = 0; k < kCalibrationRows; ++k) {
        memory[kPowerCalibration + 2 * k] = static_cast<std::uint8_t>(60 + k);
        memory[kPowerCalibration + 2 * k + 1] = static_cast<std::uint8_t>(160 + k);
        memory[kSquelchCalibration + k] = k % 2 ? 0x82 : 0x01;
    }
    return memory;
}

// Clicks a dialog's Read or Write and waits until the exchange ended and its message was
// answered; returns the message.
SeenMessage RunExchange(AlignmentDialog& dialog, QPushButton* button) {
    SeenMessage seen;
    QSignalSpy done(&dialog, &AlignmentDialog::transferDone);
    AnswerNextMessage(&seen);
    button->click();
    if (done.isEmpty())
        done.wait(20000);
    return seen;
}

// The slow radio, holding RadioMemory(), as the dialog's link.
struct Bench : SlowRadio {
    Bench() : SlowRadio(RadioMemory()) {}
    void attach(AlignmentDialog& dialog) { dialog.setLinkFactory(links()); }
};

} // namespace

class TransferTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_run = std::make_unique<TestRun>();
        m_run->iniFilePath = m_dir.filePath("Program.ini"); // no such file: default ports
    }

    // Read fills the grid and the image's power table (only that) from the radio; Write
    // stores the grid, a value beyond the limits as the default, and sends it.
    void powerReadThenWrite() {
        CProgramDoc document;
        Bench bench;
        CPowerAdjustDlg dialog(&document, k136To174, m_run->context());
        bench.attach(dialog);
        const SeenMessage seen = RunExchange(dialog, dialog.readButton());
        QCOMPARE(seen.text, QString("Read Successfully"));
        QCOMPARE(seen.caption, TestRun::kApplicationName);
        QCOMPARE(dialog.grid()->TextMatrix(5, 2), QString("164"));
        for (int offset = kPowerCalibration; offset < kPowerCalibration + 22; ++offset)
            QCOMPARE(int(document.image()[offset]), int(bench.radio->memory[offset]));
        QCOMPARE(int(document.image()[kSquelchCalibration]), int(NewImage()[kSquelchCalibration]));
        QVERIFY(document.isModified());
        QCOMPARE(bench.link->closes, 1);

        dialog.grid()->SetTextMatrix(2, 1, "33");
        dialog.grid()->SetTextMatrix(2, 2, "999");
        QCOMPARE(RunExchange(dialog, dialog.writeButton()).text, QString("Write Successfully"));
        QCOMPARE(int(bench.radio->memory[kPowerCalibration + 2]), 33);
        QCOMPARE(int(bench.radio->memory[kPowerCalibration + 3]), 200);
        QCOMPARE(int(document.image()[kPowerCalibration + 2]), 33);
    }

    // A short reply leaves the image and the grid as they were; a port that will not open
    // is told, and a write has stored the grid before it tried the port.
    void failedExchanges() {
        CProgramDoc document;
        const RadioImage before = document.image();
        Bench shortReply;
        shortReply.radio->shortReplyAtBlock = 2;
        CSqlAdjustDlg squelch(&document, k136To174, m_run->context());
        shortReply.attach(squelch);
        const QString shownBefore = squelch.grid()->TextMatrix(2, 1);
        QCOMPARE(RunExchange(squelch, squelch.readButton()).text, QString("Communication Error"));
        QVERIFY(document.image() == before);
        QCOMPARE(squelch.grid()->TextMatrix(2, 1), shownBefore);
        QVERIFY(!document.isModified());

        Bench noPort;
        noPort.link->openFailure = QStringLiteral("/dev/ttyUSB0: no such device");
        CPowerAdjustDlg power(&document, k136To174, m_run->context());
        noPort.attach(power);
        const QString told = RunExchange(power, power.readButton()).text;
        QVERIFY2(told.startsWith("Open the serial port fails") && told.contains("/dev/ttyUSB0"),
                 qPrintable(told));
        noPort.attach(squelch);
        QVERIFY(
            RunExchange(squelch, squelch.writeButton()).text.startsWith("Could not open the port"));
        QCOMPARE(int(document.image()[kSquelchCalibration]), 0x00);
    }

    // The dialog stays usable while an exchange runs, and its close box asks first: No
    // keeps the dialog and lets the read finish; Yes cancels the next read, and the dialog
    // closes once the exchange has ended, with the image as it was.
    void closingDuringAnExchangeAsksFirst() {
        CProgramDoc document;
        Bench bench;
        bench.answerDelayMs = 20; // a slow radio
        CSqlAdjustDlg dialog(&document, k136To174, m_run->context());
        bench.attach(dialog);
        dialog.show();
        QSignalSpy done(&dialog, &AlignmentDialog::transferDone);
        SeenMessage outcome;
        dialog.readButton()->click();
        QVERIFY(!dialog.readButton()->isEnabled());
        SeenMessage question;
        AnswerNextMessage(&question, QMessageBox::No);
        QVERIFY(!dialog.close());
        QCOMPARE(question.text, QString("A read from the radio is running; closing now cancels "
                                        "it.\nClose the window anyway?"));
        QVERIFY(dialog.isVisible());
        AnswerNextMessage(&outcome);
        QVERIFY(done.wait(10000));
        QCOMPARE(outcome.text, QString("Read Successfully"));
        QCOMPARE(int(document.image()[kSquelchCalibration + 1]), 0x82);

        const RadioImage afterFirstRead = document.image();
        bench.radio->memory[kSquelchCalibration + 1] = 0x85;
        bench.held = true; // the read waits on the radio until the question is answered
        dialog.readButton()->click();
        AnswerNextMessage(&question, QMessageBox::Yes);
        QVERIFY(!dialog.close()); // it closes when the exchange has ended
        QVERIFY(dialog.isVisible());
        bench.held = false;
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.isVisible(), 10000);
        QCOMPARE(question.count, 2);
        QVERIFY(document.image() == afterFirstRead);
    }

    void writeThatBreaksOffSaysTheTableIsPartlyWritten_data() {
        QTest::addColumn<bool>("power");
        QTest::addColumn<bool>("chinese");
        QTest::addColumn<QString>("text");
        const QString english = "Communication Error\nThe radio's calibration may be partly "
                                "written: write again to complete it.";
        const QString chinese =
            QString::fromUtf8("通信出錯\n電台的校準資料可能只寫入了一部分：請再寫一次以完成。");
        QTest::newRow("Power Adjust") << true << false << english;
        QTest::newRow("Sql Adjust") << false << false << english;
        QTest::newRow("Power Adjust, Chinese") << true << true << chinese;
    }

    // The simulated radio stops answering after the first block of the table.
    void writeThatBreaksOffSaysTheTableIsPartlyWritten() {
        QFETCH(bool, power);
        QFETCH(bool, chinese);
        QFETCH(QString, text);
        SetMessageLanguage(chinese ? Language::Chinese : Language::English);
        SimulatorProcess radio({"--fault", "silent-from:2"});
        QVERIFY(radio.isReady());
        m_run->session.setPortName(radio.linkPath());
        const TransferContext run = m_run->context(chinese ? Language::Chinese : Language::English);
        CProgramDoc document;
        CPowerAdjustDlg powerDialog(&document, k136To174, run);
        CSqlAdjustDlg squelchDialog(&document, k136To174, run);
        AlignmentDialog& dialog =
            power ? static_cast<AlignmentDialog&>(powerDialog) : squelchDialog;
        const QString told = RunExchange(dialog, dialog.writeButton()).text;
        SetMessageLanguage(Language::English);
        QCOMPARE(told, text);
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TestRun> m_run;
};

TEST_CLASS(TransferTest)
#include "tst_alignment_transfer.moc"
