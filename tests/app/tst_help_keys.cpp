// F1 in every dialog of the window program opens that dialog's help topic, whichever
// control has the focus, beside the dialog, and a modal dialog reuses the one help
// window of the run; F1 in the main window, its navigation tree and its menus.
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
#include <QScreen>
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
    void f1InTheNavigationTreeOpensTheContents();
    void dialogFieldTopics_data();
    void dialogFieldTopics();
    void helpFrameBesideDialog_data();
    void helpFrameBesideDialog();
    void helpWindowOpensBesideTheDialog();

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

QList<CHelpViewer*> VisibleHelpWindows() {
    QList<CHelpViewer*> visible = HelpWindows();
    visible.removeIf([](const CHelpViewer* viewer) { return !viewer->isVisible(); });
    return visible;
}

// Tests that hand the main window a help handler of their own leave their viewer behind.
void CloseHelpWindows() {
    for (CHelpViewer* viewer : HelpWindows())
        viewer->hide();
}

// "language folder/page.html#anchor" of the help window's page.
QString ShownTopic() {
    const QList<CHelpViewer*> viewers = VisibleHelpWindows();
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
    QTest::newRow("Scan Info, on Priority, its first field")
        << Command(CommandId::kScanInfo) << "" << "settings.html#priority";
    QTest::newRow("Scan Info, on OK") << Command(CommandId::kScanInfo) << "OK" << "settings.html#scan";
    QTest::newRow("Password") << Opener([](CMainFrame* frame) {
        emit frame->alignmentUnlockRequested();
    }) << "" << "alignment.html";
    QTest::newRow("Power Adjust")
        << Opener(&CMainFrame::OnPowerAdjust) << "Cancel" << "alignment.html#power";
    QTest::newRow("Sql Adjust") << Opener(&CMainFrame::OnSqlAdjust) << "" << "alignment.html#squelch";
    QTest::newRow("Fleet Station") << Command(CommandId::kFleetStation) << "Close" << "station.html";
    QTest::newRow("New from Plan")
        << Command(CommandId::kFileNewFromPlan) << "Cancel" << "files.html#new-from-plan";
    QTest::newRow("Check Against Plan")
        << Command(CommandId::kCheckAgainstPlan) << "" << "channels.html#check-plan";
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
    frame->navigatorBar()->setProperty(kHelpIdProperty, QVariant()); // the bar has none of its own
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

void HelpKeysTest::f1InTheNavigationTreeOpensTheContents() {
    CMainFrame* frame = m_app->mainFrame();
    CloseHelpWindows();
    frame->showHelp(CommandId::kFileOpen); // any other topic first
    QApplication::setActiveWindow(frame);
    frame->navigationTree()->setFocus();
    QTest::keyClick(frame->navigationTree(), Qt::Key_F1);
    QCOMPARE(ShownTopic(), QStringLiteral("enHelp/index.html"));
}

void HelpKeysTest::dialogFieldTopics_data() {
    QTest::addColumn<int>("dialog");
    QTest::addColumn<int>("control");
    QTest::addColumn<QString>("topic");
    // Control ids repeat between dialogs: the dialog decides which field an id is.
    QTest::newRow("Scan Info, Look Back Time B")
        << CommandId::kScanInfo << 1005 << "settings.html#look-back";
    QTest::newRow("Optional Features, Battery Saver (the same id)")
        << CommandId::kOptionalFeatures << 1005 << "settings.html#battery-saver";
    QTest::newRow("Optional Features, Short Press")
        << CommandId::kOptionalFeatures << 1010 << "settings.html#side-key";
    QTest::newRow("COM Setup, COM4 (the same id)")
        << CommandId::kComSetup << 1010 << "connecting.html#port";
    QTest::newRow("Password, its entry (the id of the hidden Call Key)")
        << kPasswordHelpId << 1009 << "alignment.html";
    QTest::newRow("Product Information, Frequency")
        << CommandId::kProductInformation << 1014 << "settings.html#band";
    QTest::newRow("OK has no part of its own")
        << CommandId::kOptionalFeatures << 1 << "settings.html#features";
    QTest::newRow("a grid editor's id in a dialog")
        << CommandId::kScanInfo << 1129 << "settings.html#scan";
}

void HelpKeysTest::dialogFieldTopics() {
    QFETCH(int, dialog);
    QFETCH(int, control);
    QFETCH(QString, topic);
    QCOMPARE(HelpTopicFor(DialogHelpContext(control, dialog)), topic);
}

void HelpKeysTest::helpFrameBesideDialog_data() {
    QTest::addColumn<QRect>("dialog");
    QTest::addColumn<QRect>("expected");
    const QRect screen(0, 0, 1600, 900);
    const QSize preferred(720, 560);
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QSize>("preferred");
    // The gap between the frames is 8; the smallest width 320.
    QTest::newRow("room on the right") << QRect(100, 100, 400, 300) << QRect(508, 100, 720, 560)
                                       << screen << preferred;
    QTest::newRow("narrower on the right") << QRect(100, 100, 900, 300)
                                           << QRect(1008, 100, 592, 560) << screen << preferred;
    QTest::newRow("no room on the right: the left")
        << QRect(1000, 200, 500, 300) << QRect(272, 200, 720, 560) << screen << preferred;
    QTest::newRow("near the bottom: moved up") << QRect(100, 700, 400, 150)
                                               << QRect(508, 340, 720, 560) << screen << preferred;
    QTest::newRow("taller than the screen") << QRect(100, 100, 400, 300)
                                            << QRect(508, 0, 720, 900) << screen
                                            << QSize(720, 1200);
    QTest::newRow("screen with an offset") << QRect(1700, 120, 300, 200)
                                           << QRect(2008, 120, 720, 560)
                                           << QRect(1600, 40, 1920, 1040) << preferred;
    QTest::newRow("no room either side: the right, wider, at the screen's edge")
        << QRect(50, 100, 500, 300) << QRect(480, 100, 320, 560) << QRect(0, 0, 800, 900)
        << preferred;
    QTest::newRow("no room either side: the left, wider, at the screen's edge")
        << QRect(250, 100, 500, 300) << QRect(0, 100, 320, 560) << QRect(0, 0, 800, 900)
        << preferred;
}

void HelpKeysTest::helpFrameBesideDialog() {
    QFETCH(QRect, dialog);
    QFETCH(QRect, expected);
    QFETCH(QRect, available);
    QFETCH(QSize, preferred);
    const QRect frame = HelpFrameBeside(dialog, available, preferred, 320);
    QCOMPARE(frame, expected);
    QVERIFY(available.contains(frame));
}

void HelpKeysTest::helpWindowOpensBesideTheDialog() {
    CMainFrame* frame = m_app->mainFrame();
    CloseHelpWindows();
    frame->showHelp(kHelpContents); // open, over the main window
    const QRect screen = frame->screen()->availableGeometry();
    for (const QPoint& corner : {screen.topLeft(), screen.topRight() - QPoint(260, 0)}) {
        QRect dialogFrame, helpFrame;
        const Opener openAt = [corner](CMainFrame* owner) {
            QDialog dialog(owner);
            dialog.setProperty(kHelpIdProperty, CommandId::kScanInfo);
            dialog.resize(250, 200);
            dialog.move(corner);
            dialog.exec();
        };
        InModalDialog(frame, openAt, [&](QDialog* dialog) {
            PressF1(dialog, "");
            QCOMPARE(VisibleHelpWindows().size(), 1);
            dialogFrame = dialog->frameGeometry();
            helpFrame = VisibleHelpWindows().first()->frameGeometry();
            QCOMPARE(ShownTopic(), QStringLiteral("enHelp/settings.html#scan"));
        });
        QVERIFY2(!helpFrame.intersects(dialogFrame),
                 qPrintable(QStringLiteral("help %1,%2 %3x%4 over the dialog at %5,%6")
                                .arg(helpFrame.x()).arg(helpFrame.y()).arg(helpFrame.width())
                                .arg(helpFrame.height()).arg(dialogFrame.x()).arg(dialogFrame.y())));
        QVERIFY(screen.contains(helpFrame));
    }
}

TEST_CLASS(HelpKeysTest)
#include "tst_help_keys.moc"
