// Undo and Redo in the window program: the keys in the grid and in the main window and
// the label in their tips (the unsaved-changes mark: AppShellTest).
#include "ui/CMSFlexGrid.h"
#include "editor/CProgramView.h"
#include "radio/ChannelCodec.h"
#include "ui/CommandIds.h"
#include "app/MainFrame.h"
#include "document/ProgramDoc.h"
#include "tests/support/ProgramFixture.h"
#include "tests/support/TestSuite.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QToolBar>

class AppUndoTest : public QObject {
    Q_OBJECT
private slots:
    void keysUndoAndRedoACellEdit_data();
    void keysUndoAndRedoACellEdit();
};

namespace {

struct Session {
    PromptRecorder prompts;
    ConfigDir config{DefaultIniText()};
    std::unique_ptr<CProgramApp> app = StartProgram(config);
    CMainFrame* frame = app->mainFrame();
    CProgramView* view = qobject_cast<CProgramView*>(frame->activeView());
    CMSFlexGrid* grid = view->grid();
    CProgramDoc* doc = frame->activeDocument();

    Session() {
        frame->activateWindow();
        QApplication::setActiveWindow(frame);
    }
    // Types a receive frequency into `row` the way a user does.
    void program(int row, const char* frequency) {
        grid->SetRow(row);
        grid->SetCol(kColRxFrequency);
        QTest::keyClicks(view->openEditor(), frequency);
        QTest::keyClick(view->openEditor(), Qt::Key_Return);
    }
    QString rx(int row) const { return grid->TextMatrix(row, kColRxFrequency); }
    QAction* action(int id) const { return frame->commandAction(id); }
};

} // namespace

void AppUndoTest::keysUndoAndRedoACellEdit_data() {
    QTest::addColumn<bool>("inGrid"); // the key goes to the grid, or to the main window
    QTest::newRow("grid") << true;
    QTest::newRow("main window") << false;
}

// Redo by Ctrl+Y and by Ctrl+Shift+Z.
void AppUndoTest::keysUndoAndRedoACellEdit() {
    QFETCH(bool, inGrid);
    Session s;
    QWidget* target = inGrid ? static_cast<QWidget*>(s.grid) : s.frame;
    const RadioImage fresh = s.doc->image();
    auto* toolBar = s.frame->findChild<QToolBar*>(QStringLiteral("toolBar"));
    QVERIFY(toolBar->actions().contains(s.action(CommandId::kEditRedo)));
    s.program(3, "146.52");
    s.program(4, "147");
    QCOMPARE(s.rx(3), QString("146.52000"));
    const RadioImage edited = s.doc->image();
    QCOMPARE(s.action(CommandId::kEditUndo)->statusTip(), QString("Undo Edit channel 4"));

    QTest::keyClick(target, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(s.rx(4), QString());
    QCOMPARE(s.rx(3), QString("146.52000"));
    QTest::keyClick(target, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(s.doc->image() == fresh);
    QVERIFY(!s.action(CommandId::kEditUndo)->isEnabled());

    QTest::keyClick(target, Qt::Key_Y, Qt::ControlModifier);
    QTest::keyClick(target, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(s.doc->image() == edited);
    QVERIFY(!s.action(CommandId::kEditRedo)->isEnabled());
}

TEST_CLASS(AppUndoTest)
#include "tst_app_undo.moc"
