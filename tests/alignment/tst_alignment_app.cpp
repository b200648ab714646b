// The alignment in the window program end to end: Ctrl+F11 and the code, both dialogs
// reading and writing `chprog simulate`, checked with `chprog calibration`.

#include "ui/CMSFlexGrid.h"
#include "files/DatFile.h"
#include "alignment/CPasswordDlg.h"
#include "alignment/CPowerAdjustDlg.h"
#include "alignment/CSqlAdjustDlg.h"
#include "tests/support/Chprog.h"
#include "ui/CommandIds.h"
#include "app/MainFrame.h"
#include "tests/support/Modal.h"
#include "document/ProgramDoc.h"
#include "tests/support/ProgramFixture.h"
#include "tests/support/SimulatorProcess.h"
#include "config/StartupConfig.h"
#include "tests/support/TestSuite.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace ImageMap;

namespace {

// Presses Ctrl+F11 in the channel window and answers the Password dialog with `code`.
void PressCtrlF11(CMainFrame* frame, const QString& code) {
    WhenModal<CPasswordDlg>([code](CPasswordDlg* dialog) {
        QTest::keyClicks(dialog->entry(), code);
        QTest::keyClick(dialog->entry(), Qt::Key_Return);
    });
    QTest::keyClick(frame->activeView(), Qt::Key_F11, Qt::ControlModifier);
}

// Closes a dialog on the way out of an answer, also when a check in it failed.
struct CloseOnExit {
    QDialog* dialog;
    ~CloseOnExit() {
        if (dialog->isVisible())
            dialog->reject();
    }
};

RadioImage RadioMemory() {
    RadioImage memory = NewImage();
    memory[kProductType] = 0; // the first model's first band: 136 - 174MHz
    memory[kProductBand] = 0;
    memory[kPowerCalibration] = 55;
    memory[kSquelchCalibration + 1] = 0x02;
    return memory;
}

} // namespace

class AlignmentAppTest : public QObject {
    Q_OBJECT
private slots:
    void sessionWithTheSimulatedRadio() {
        ConfigDir config(DefaultIniText());
        const QString imagePath = config.filePath("radio.dat");
        QVERIFY(SaveDatFile(imagePath, RadioMemory(), nullptr));
        SimulatorProcess radio({"--image", imagePath});
        QVERIFY(radio.isReady());
        PromptRecorder prompts;
        // The document's product bytes choose the band: 136 - 174MHz.
        auto app = StartProgram(config, {"--port", radio.linkPath(), imagePath});
        CMainFrame* frame = app->mainFrame();
        PressCtrlF11(frame, "470162");

        // The outcome of each exchange, as the main window's prompts were asked it.
        QStringList messages;
        const auto exchange = [&messages, &prompts](AlignmentDialog& dialog, QPushButton* button) {
            QSignalSpy done(&dialog, &AlignmentDialog::transferDone);
            button->click();
            if (done.isEmpty())
                done.wait(20000);
            messages << (prompts.asked.isEmpty() ? QString() : prompts.asked.last().text);
        };

        // Power Adjust: read the radio, change the first low setting, write it.
        WhenModal<CPowerAdjustDlg>([&exchange](CPowerAdjustDlg* dialog) {
            CloseOnExit closer{dialog};
            exchange(*dialog, dialog->readButton());
            QCOMPARE(dialog->grid()->TextMatrix(1, 1), QString("55"));
            dialog->grid()->SetTextMatrix(1, 1, "42");
            exchange(*dialog, dialog->writeButton());
            dialog->accept();
        });
        frame->commandAction(CommandId::kPowerAdjust)->trigger();

        // Sql Adjust: read, choose -4 for the second point, write, close.
        WhenModal<CSqlAdjustDlg>([&exchange](CSqlAdjustDlg* dialog) {
            CloseOnExit closer{dialog};
            exchange(*dialog, dialog->readButton());
            QCOMPARE(dialog->grid()->TextMatrix(2, 1), QString("2"));
            dialog->grid()->SetTextMatrix(2, 1, "-4");
            exchange(*dialog, dialog->writeButton());
            dialog->close();
        });
        frame->commandAction(CommandId::kSqlAdjust)->trigger();
        QCOMPARE(messages, (QStringList{"Read Successfully", "Write Successfully",
                                        "Read Successfully", "Write Successfully"}));
        QCOMPARE(int(frame->activeDocument()->image()[kPowerCalibration]), 42);
        QVERIFY(frame->activeDocument()->isModified());

        // The radio's memory, saved by the simulator, shows the change.
        QVERIFY(radio.stop());
        const ChprogRun calibration =
            Chprog({"calibration", radio.savedPath(), "--config", config.path()});
        const QStringList lines = calibration.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 5);
        QVERIFY2(lines[0].startsWith("136\t42\t"), qPrintable(lines[0]));
        QVERIFY2(lines[1].startsWith("140\t") && lines[1].endsWith("\t-4"), qPrintable(lines[1]));
    }
};

TEST_CLASS(AlignmentAppTest)
#include "tst_alignment_app.moc"
