// The alignment in the window program: Ctrl+F11, the entries it adds, the dialogs they
// open, and a whole session against `chprog simulate` checked with `chprog calibration`.

#include "AppConfig.h"
#include "CMSFlexGrid.h"
#include "CPasswordDlg.h"
#include "CPowerAdjustDlg.h"
#include "CSqlAdjustDlg.h"
#include "Chprog.h"
#include "CommandIds.h"
#include "MainFrame.h"
#include "Modal.h"
#include "ProgramDoc.h"
#include "ProgramFixture.h"
#include "SimulatorProcess.h"
#include "TestSuite.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

using namespace ImageMap;

namespace {

int TreeCount(CMainFrame* frame, const QString& text) {
    int count = 0;
    for (int i = 0; i < frame->treeRoot()->childCount(); ++i)
        count += frame->treeRoot()->child(i)->text(0) == text;
    return count;
}

QList<int> EditMenuIds(CMainFrame* frame) {
    QList<int> ids;
    for (const QAction* action : frame->editMenu()->actions())
        ids << action->data().toInt();
    return ids;
}

// Presses Ctrl+F11 in the channel window and answers the Password dialog with `code`,
// or cancels it when `code` is empty.
void PressCtrlF11(CMainFrame* frame, const QString& code) {
    WhenModal<CPasswordDlg>([code](CPasswordDlg* dialog) {
        if (code.isEmpty()) {
            dialog->reject();
            return;
        }
        QTest::keyClicks(dialog->entry(), code);
        QTest::keyClick(dialog->entry(), Qt::Key_Return);
    });
    QTest::keyClick(frame->activeView(), Qt::Key_F11, Qt::ControlModifier);
}

// Clicks a dialog's button and waits until its exchange ended; returns the message.
QString Exchange(AlignmentDialog* dialog, QPushButton* button) {
    SeenMessage seen;
    QSignalSpy done(dialog, &AlignmentDialog::transferDone);
    AnswerNextMessage(&seen);
    button->click();
    if (done.isEmpty())
        done.wait(20000);
    return seen.text;
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
    void ctrlF11UnlocksOnce();
    void entriesOpenTheDialogsOnTheActiveDocument();
    void sessionWithTheSimulatedRadio();
    void radioThatNeverAnswers();
};

void AlignmentAppTest::ctrlF11UnlocksOnce() {
    PromptRecorder prompts;
    ConfigDir config(DefaultIniText());
    auto app = StartProgram(config);
    CMainFrame* frame = app->mainFrame();
    const QList<int> fixedItems = EditMenuIds(frame);
    const QList<int> alignmentItems = {CommandId::kPowerAdjust, CommandId::kSqlAdjust};

    PressCtrlF11(frame, QString());
    QVERIFY(!appConfig().alignmentUnlocked);
    QCOMPARE(frame->treeRoot()->childCount(), 3);
    QCOMPARE(EditMenuIds(frame), fixedItems);

    for (int entry = 0; entry < 2; ++entry) {
        PressCtrlF11(frame, "470162");
        QVERIFY(appConfig().alignmentUnlocked);
        QCOMPARE(TreeCount(frame, "Power Adjust"), 1);
        QCOMPARE(TreeCount(frame, "Sql Adjust"), 1);
        QCOMPARE(EditMenuIds(frame), fixedItems + alignmentItems);
    }
}

void AlignmentAppTest::entriesOpenTheDialogsOnTheActiveDocument() {
    PromptRecorder prompts;
    ConfigDir config(DefaultIniText());
    QVERIFY(SaveDatFile(config.filePath("radio.dat"), RadioMemory(), nullptr));
    auto app = StartProgram(config, {config.filePath("radio.dat")});
    CMainFrame* frame = app->mainFrame();
    PressCtrlF11(frame, "470162");

    QStringList powerLabels;
    WhenModal<CPowerAdjustDlg>([&powerLabels](CPowerAdjustDlg* dialog) {
        CloseOnExit closer{dialog};
        for (int row = 1; row < dialog->grid()->Rows(); ++row)
            powerLabels << dialog->grid()->TextMatrix(row, 0);
        QCOMPARE(dialog->grid()->TextMatrix(1, 1), QString("55"));
        dialog->reject();
    });
    frame->commandAction(CommandId::kPowerAdjust)->trigger();
    QCOMPARE(powerLabels, (QStringList{"136", "140", "150", "160", "170"}));

    // The tree item acts as the menu item does.
    bool sqlOpened = false;
    WhenModal<CSqlAdjustDlg>([&sqlOpened](CSqlAdjustDlg* dialog) {
        sqlOpened = dialog->grid()->TextMatrix(2, 1) == "2";
        dialog->close();
    });
    QTreeWidget* tree = frame->navigationTree();
    QTreeWidgetItem* sqlItem = nullptr;
    for (int i = 0; i < frame->treeRoot()->childCount(); ++i)
        if (frame->treeRoot()->child(i)->text(0) == "Sql Adjust")
            sqlItem = frame->treeRoot()->child(i);
    QVERIFY(sqlItem);
    QCursor::setPos(tree->viewport()->mapToGlobal(tree->visualItemRect(sqlItem).center()));
    tree->setCurrentItem(sqlItem);
    QTest::qWait(20);
    QVERIFY(sqlOpened);
    QVERIFY(!frame->activeDocument()->isModified()); // closing stored the same bytes
}

void AlignmentAppTest::sessionWithTheSimulatedRadio() {
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

    // Power Adjust: read the radio, change the first low setting, write it.
    QStringList messages;
    WhenModal<CPowerAdjustDlg>([&messages](CPowerAdjustDlg* dialog) {
        CloseOnExit closer{dialog};
        messages << Exchange(dialog, dialog->readButton());
        QCOMPARE(dialog->grid()->Rows(), 6);
        QCOMPARE(dialog->grid()->TextMatrix(1, 1), QString("55"));
        dialog->grid()->SetRow(1);
        dialog->grid()->SetCol(1);
        dialog->grid()->SetTextMatrix(1, 1, "42");
        messages << Exchange(dialog, dialog->writeButton());
        dialog->accept();
    });
    frame->commandAction(CommandId::kPowerAdjust)->trigger();

    // Sql Adjust: read, choose -4 for the second point, write, close.
    WhenModal<CSqlAdjustDlg>([&messages](CSqlAdjustDlg* dialog) {
        CloseOnExit closer{dialog};
        messages << Exchange(dialog, dialog->readButton());
        QCOMPARE(dialog->grid()->TextMatrix(2, 1), QString("2"));
        dialog->grid()->SetTextMatrix(2, 1, "-4");
        messages << Exchange(dialog, dialog->writeButton());
        dialog->close();
    });
    frame->commandAction(CommandId::kSqlAdjust)->trigger();
    QCOMPARE(messages, (QStringList{"Read Successfully", "Write Successfully", "Read Successfully",
                                    "Write Successfully"}));
    QCOMPARE(int(frame->activeDocument()->image()[kPowerCalibration]), 42);
    QVERIFY(frame->activeDocument()->isModified());

    // The radio's memory, saved by the simulator, shows the change.
    QVERIFY(radio.stop());
    const ChprogRun calibration =
        Chprog({"calibration", radio.savedPath(), "--config", config.path()});
    QCOMPARE(calibration.status, 0);
    const QStringList lines = calibration.out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 5);
    QVERIFY2(lines[0].startsWith("136\t42\t"), qPrintable(lines[0]));
    QVERIFY2(lines[1].startsWith("140\t") && lines[1].endsWith("\t-4"), qPrintable(lines[1]));
}

void AlignmentAppTest::radioThatNeverAnswers() {
    ConfigDir config(DefaultIniText());
    SimulatorProcess radio({"--fault", "no-greeting"});
    QVERIFY(radio.isReady());
    PromptRecorder prompts;
    auto app = StartProgram(config, {"--port", radio.linkPath()});
    CMainFrame* frame = app->mainFrame();
    PressCtrlF11(frame, "470162");
    const RadioImage before = frame->activeDocument()->image();
    QString message;
    WhenModal<CSqlAdjustDlg>([&message](CSqlAdjustDlg* dialog) {
        message = Exchange(dialog, dialog->readButton());
        dialog->close();
    });
    frame->commandAction(CommandId::kSqlAdjust)->trigger();
    QCOMPARE(message, QString("Communication Error"));
    QVERIFY(frame->activeDocument()->image() == before);
}

TEST_CLASS(AlignmentAppTest)
#include "tst_alignment_app.moc"
