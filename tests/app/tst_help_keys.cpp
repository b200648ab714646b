// F1 in every dialog of the window program opens that dialog's help topic, whichever
// control has the focus, and a modal dialog reuses the one help window of the run; F1
// in the main window and its menus.
#include "ui/CommandIds.h"
#include "ui/HelpHook.h"
#include "ui/HelpTopics.h"
#include "app/HelpViewer.h"
#include "app/MainFrame.h"
#include "app/NavigatorBar.h"
#include "tests/support/ProgramFixture.h"
#include "tests/support/TestSuite.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

class HelpKeysTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void f1InEveryDialog_data();
    void f1InEveryDialog();
    void modalDialogReusesTheHelpWindow();
    void f1OutsideDialogs();

private:
    std::unique_ptr<PromptRecorder> m_prompts;
    std::unique_ptr<ConfigDir> m_config;
    std::unique_ptr<CProgramApp> m_app;
};

namespace {

using Opener = std::function<void(CMainFrame*)>;

QList<CHelpViewer*> HelpWindows() {
    QList<CHelpViewer*> viewers;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* viewer = qobject_cast<CHelpViewer*>(window))
            viewers << viewer;
    }
    return viewers;
}

// "language folder/page.html#anchor" of the help window's page.
QString ShownTopic() {
    const QList<CHelpViewer*> viewers = HelpWindows();
    if (viewers.size() != 1)
        return QStringLiteral("%1 help windows").arg(viewers.size());
    return viewers.first()->currentSource().toString().section(u'/', -2);
}

// Runs `open`, which starts a modal dialog; inside it `act` gets the dialog, then the
// dialog is cancelled.
void InModalDialog(CMainFrame* frame, const Opener& open,
                   const std::function<void(QDialog*)>& act) {
    bool seen = false;
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, &seen, act] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || qobject_cast<CHelpViewer*>(dialog))
            return;
        poll->stop();
        poll->deleteLater();
        seen = true;
        act(dialog);
        dialog->reject();
    });
    poll->start();
    open(frame);
    QVERIFY2(seen, "no modal dialog opened");
}

void PressF1(QDialog* dialog, const char* focusedButton) {
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    QWidget* target = dialog;
    if (*focusedButton) {
        for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
            if (button->text() == QLatin1String(focusedButton) && button->isVisible())
                target = button;
        }
        target->setFocus();
    } else if (dialog->focusWidget()) {
        target = dialog->focusWidget();
    }
    QTest::keyClick(target, Qt::Key_F1);
}

Opener Command(int commandId) {
    return [commandId](CMainFrame* frame) { frame->commandAction(commandId)->trigger(); };
}

} // namespace

void HelpKeysTest::initTestCase() {
    m_prompts = std::make_unique<PromptRecorder>();
    m_config = std::make_unique<ConfigDir>(DefaultIniText());
    m_app = StartProgram(*m_config);
    QVERIFY(m_app);
    m_app->mainFrame()->AppendAlignmentEntries();
}

void HelpKeysTest::cleanupTestCase() {
    m_app.reset();
}

void HelpKeysTest::f1InEveryDialog_data() {
    QTest::addColumn<Opener>("open");
    QTest::addColumn<QString>("focusedButton"); // empty: the focus the dialog gives
    QTest::addColumn<QString>("topic");

    QTest::newRow("About") << Opener(&CMainFrame::OnAppAbout) << "OK" << "index.html";
    QTest::newRow("Language") << Opener(&CMainFrame::OnLanguage) << "" << "language.html";
    QTest::newRow("COM Setup") << Command(CommandId::kComSetup) << "Cancel" << "connecting.html#port";
    QTest::newRow("Product Information")
        << Opener(&CMainFrame::OnProductInformation) << "" << "settings.html#product";
    QTest::newRow("Optional Features, on OK")
        << Opener(&CMainFrame::OnOptionalFeatures) << "OK" << "settings.html#features";
    QTest::newRow("Scan Info") << Command(CommandId::kScanInfo) << "" << "settings.html#scan";
    QTest::newRow("Password") << Opener([](CMainFrame* frame) {
        emit frame->alignmentUnlockRequested();
    }) << "" << "alignment.html";
    QTest::newRow("Power Adjust")
        << Opener(&CMainFrame::OnPowerAdjust) << "Cancel" << "alignment.html#power";
    QTest::newRow("Sql Adjust") << Opener(&CMainFrame::OnSqlAdjust) << "" << "alignment.html#squelch";
    QTest::newRow("Print Preview")
        << Command(CommandId::kFilePrintPreview) << "" << "files.html#print";
}

void HelpKeysTest::f1InEveryDialog() {
    QFETCH(Opener, open);
    QFETCH(QString, focusedButton);
    QFETCH(QString, topic);
    m_app->mainFrame()->showHelp(CommandId::kViewControlBar); // any other topic first
    QString shown;
    InModalDialog(m_app->mainFrame(), open, [&](QDialog* dialog) {
        PressF1(dialog, focusedButton.toLatin1().constData());
        shown = ShownTopic();
    });
    QCOMPARE(shown, "enHelp/" + topic); // the run's language
}

void HelpKeysTest::modalDialogReusesTheHelpWindow() {
    CMainFrame* frame = m_app->mainFrame();
    frame->showHelp(CommandId::kFileOpen);
    QCOMPARE(HelpWindows().size(), 1);
    CHelpViewer* viewer = HelpWindows().first();
    InModalDialog(frame, Opener(&CMainFrame::OnOptionalFeatures), [&](QDialog* dialog) {
        PressF1(dialog, "OK");
        PressF1(dialog, "Cancel");
        // The same window, under the dialog so that the dialog does not block it.
        QCOMPARE(HelpWindows(), QList<CHelpViewer*>{viewer});
        QVERIFY(viewer->isVisible());
        QCOMPARE(viewer->parentWidget(), dialog);
    });
    QCOMPARE(HelpWindows(), QList<CHelpViewer*>{viewer});
    QCOMPARE(viewer->parentWidget(), frame);
}

void HelpKeysTest::f1OutsideDialogs() {
    // Every topic names a page that exists in both languages.
    for (int id : {0, 32777, 32773, 32774, 32782, 32786, 32788, 32783, 32784, 32799, 57600, 57603,
                   1000, 2127, 2132, 1129, 1013, 1118, 99999}) {
        const QString page = HelpTopicFor(id).section(u'#', 0, 0);
        for (const char* language : {"enHelp", "chHelp"})
            QVERIFY2(QFile::exists(QStringLiteral(TEST_BIN_DIR "/help/%1/%2").arg(language, page)),
                     qPrintable(page));
    }
    // F1 that no widget handles: the nearest helpId of the focused widget, else the
    // contents; F1 on a highlighted menu item: its command.
    CMainFrame* frame = m_app->mainFrame();
    QList<int> requested;
    frame->setHelpHandler([&requested](int id) { requested << id; });
    QApplication::setActiveWindow(frame);
    frame->navigationTree()->setFocus();
    QTest::keyClick(frame->navigationTree(), Qt::Key_F1);
    frame->navigatorBar()->setProperty(kHelpIdProperty, CommandId::kViewControlBar);
    QTest::keyClick(frame->navigationTree(), Qt::Key_F1);
    QMenu* setup = frame->setupMenu();
    setup->popup(QPoint(10, 10));
    setup->setActiveAction(frame->commandAction(CommandId::kComSetup));
    QTest::keyClick(setup, Qt::Key_F1);
    setup->hide();
    frame->setHelpHandler(HelpViewerFor(frame)); // the run's help window again
    QCOMPARE(requested,
             QList<int>({kHelpContents, CommandId::kViewControlBar, CommandId::kComSetup}));

    // A topic without a page of its own opens the index.
    CHelpViewer viewer(frame);
    viewer.showTopic(424242);
    QCOMPARE(viewer.currentSource().fileName(), QStringLiteral("index.html"));
}

TEST_CLASS(HelpKeysTest)
#include "tst_help_keys.moc"
