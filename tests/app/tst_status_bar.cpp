// The status bar's lock key panes show what the platform reports and nothing it does not
// ("Ready": AppShellTest::acceleratorsRunTheirCommands).
#include "LockKeyPanes.h"
#include "TestSuite.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTest>

class StatusBarTest : public QObject {
    Q_OBJECT
private slots:
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
    // A state the platform does not report shows an empty pane that keeps its width,
    // so the bar does not jump when the state becomes known.
    states.numLock = std::nullopt;
    QApplication::sendEvent(qApp, &activate);
    QTRY_COMPARE(PaneLooks(panes), QStringList({"CAP", "", "SCRL"}));
    QVERIFY(panes.pane(1)->minimumWidth() >=
            panes.pane(1)->fontMetrics().horizontalAdvance(QStringLiteral("NUM")));
}

TEST_CLASS(StatusBarTest)
#include "tst_status_bar.moc"
