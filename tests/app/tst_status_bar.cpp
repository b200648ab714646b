// The status bar: "Ready" whenever no command's text shows, and lock key panes that
// show what the platform reports and nothing it does not.
#include "CommandIds.h"
#include "LockKeyPanes.h"
#include "MainFrame.h"
#include "ProgramFixture.h"
#include "TestSuite.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTest>

Q_DECLARE_METATYPE(LockKeyStates)

class StatusBarTest : public QObject {
    Q_OBJECT
private slots:
    void readyAfterCommandTexts();
    void lockKeyPanes_data();
    void lockKeyPanes();
    void lockKeyPanesFollowKeys();
};

namespace {

// "CAP" when shown lit, "(CAP)" when shown greyed, "" when empty.
QString PaneLook(const QLabel* pane) {
    if (pane->text().isEmpty())
        return QString();
    return pane->isEnabled() ? pane->text() : u'(' + pane->text() + u')';
}

QStringList PaneLooks(const CLockKeyPanes& panes) {
    return {PaneLook(panes.pane(0)), PaneLook(panes.pane(1)), PaneLook(panes.pane(2))};
}

} // namespace

void StatusBarTest::readyAfterCommandTexts() {
    RunningProgram program;
    QVERIFY(program.frame);
    CMainFrame* frame = program.frame;
    QStatusBar* bar = frame->statusBar();
    QCOMPARE(bar->currentMessage(), QStringLiteral("Ready"));

    // Hovering a menu item or tool button shows its text; leaving it clears the text.
    QAction* action = frame->commandAction(CommandId::kRead);
    action->showStatusText(frame);
    QCOMPARE(bar->currentMessage(), action->statusTip());
    QStatusTipEvent leave{QString()};
    QApplication::sendEvent(frame, &leave);
    QCOMPARE(bar->currentMessage(), QStringLiteral("Ready"));
}

void StatusBarTest::lockKeyPanes_data() {
    QTest::addColumn<LockKeyStates>("states");
    QTest::addColumn<QStringList>("looks");
    QTest::newRow("all off") << LockKeyStates{false, false, false}
                             << QStringList{"(CAP)", "(NUM)", "(SCRL)"};
    QTest::newRow("num on, scroll unknown")
        << LockKeyStates{false, true, std::nullopt} << QStringList{"(CAP)", "NUM", ""};
    QTest::newRow("nothing known") << LockKeyStates{} << QStringList{"", "", ""};
}

void StatusBarTest::lockKeyPanes() {
    QFETCH(LockKeyStates, states);
    QFETCH(QStringList, looks);
    QStatusBar bar;
    CLockKeyPanes panes(&bar, [states] { return states; });
    QCOMPARE(PaneLooks(panes), looks);
    // An empty pane keeps its width, so the bar does not jump when a state becomes known.
    for (int i = 0; i < 3; ++i)
        QVERIFY(panes.pane(i)->minimumWidth() >=
                panes.pane(i)->fontMetrics().horizontalAdvance(QStringLiteral("CAP")));
}

void StatusBarTest::lockKeyPanesFollowKeys() {
    LockKeyStates states{false, true, false};
    QWidget window;
    auto* bar = new QStatusBar(&window);
    auto* edit = new QLineEdit(&window);
    CLockKeyPanes panes(bar, [&states] { return states; });
    QCOMPARE(PaneLooks(panes), QStringList({"(CAP)", "NUM", "(SCRL)"}));

    states.capsLock = true;
    QTest::keyClick(edit, Qt::Key_CapsLock);
    QTRY_COMPARE(PaneLooks(panes), QStringList({"CAP", "NUM", "(SCRL)"}));
    states.numLock = false;
    QTest::keyClick(edit, Qt::Key_A);
    QTRY_COMPARE(PaneLooks(panes), QStringList({"CAP", "(NUM)", "(SCRL)"}));
    // Coming back to the program from elsewhere reads the lights again.
    states.scrollLock = true;
    QEvent activate(QEvent::ApplicationActivate);
    QApplication::sendEvent(qApp, &activate);
    QTRY_COMPARE(PaneLooks(panes), QStringList({"CAP", "(NUM)", "SCRL"}));
}

TEST_CLASS(StatusBarTest)
#include "tst_status_bar.moc"
