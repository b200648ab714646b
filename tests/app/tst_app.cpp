
#include "AboutDlg.h"
#include "AppConfig.h"
#include "ChildFrame.h"
#include "CommandIds.h"
#include "Files.h"
#include "FrameKeyFilter.h"
#include "HelpHook.h"
#include "HelpTopics.h"
#include "HelpViewer.h"
#include "LanguageDlg.h"
#include "MainFrame.h"
#include "MdiClientWnd.h"
#include "NavigatorBar.h"
#include "ProgramDoc.h"
#include "ProgramFixture.h"
#include "ProgramIni.h"
#include "RadioImage.h"
#include "TestSuite.h"
#include "UserStore.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QRadioButton>
#include <QRubberBand>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <QTreeWidget>

namespace {

QStringList TreeChildren(CMainFrame* frame) {
    QStringList texts;
    for (int i = 0; i < frame->treeRoot()->childCount(); ++i)
        texts << frame->treeRoot()->child(i)->text(0);
    return texts;
}

QTreeWidgetItem* TreeChild(CMainFrame* frame, const QString& text) {
    for (int i = 0; i < frame->treeRoot()->childCount(); ++i) {
        if (frame->treeRoot()->child(i)->text(0) == text)
            return frame->treeRoot()->child(i);
    }
    return nullptr;
}

bool HasAction(const QMenu* menu, int id) {
    for (const QAction* action : menu->actions()) {
        if (action->data().toInt() == id)
            return true;
    }
    return false;
}

// A new document's image: the new-image contents, except that the channel view may
// take the product bytes from the per-user store when it fills its grid.
bool IsNewImage(RadioImage image) {
    image[ImageMap::kProductType] = NewImage()[ImageMap::kProductType];
    image[ImageMap::kProductBand] = NewImage()[ImageMap::kProductBand];
    return image == NewImage();
}

// Counts a command's runs without running it: the dialogs and exchanges behind the
// commands are not the subject of these tests.
std::unique_ptr<QSignalSpy> DetachedCommand(CMainFrame* frame, int commandId) {
    QAction* action = frame->commandAction(commandId);
    QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
    return std::make_unique<QSignalSpy>(action, &QAction::triggered);
}

} // namespace

class AppShellTest : public QObject {
    Q_OBJECT
private slots:
    void init();

    // Start-up and configuration
    void startUpWithDefaultIni();
    void startUpVariants_data();
    void startUpVariants();
    void acceleratorsRunTheirCommands();
    void chineseTexts();
    void commandLine();
    void commandLineDatFile();

    // Documents
    void newAsksBeforeClearing();
    void openHidesActiveWindowAndCloseOnlyHides();
    void shortFileRefusedKeepsDocument();
    void saveWritesTheImage();
    void unsavedChangesOnClose();

    // Main window
    void treeActsOnItemUnderCursor();
    void controlBarAndNavigatorBar();
    void ctrlF11AndAlignmentEntries();
    void backgroundPicture();

    // Language, About, help
    void languageSwitch();
    void aboutDialog();
    void helpTopics();
};

void AppShellTest::init() {
    SetHelpHandler({});
}

// --- Start-up and configuration ----------------------------------------------------

void AppShellTest::startUpWithDefaultIni() {
    RunningProgram program;
    QVERIFY(program.frame);
    CMainFrame* frame = program.frame;
    const AppConfig& run = appConfig();
    QCOMPARE(run.iniFilePath, program.config.iniPath());
    QCOMPARE(run.languageName, QStringLiteral("English"));
    QCOMPARE(run.programDirectory, QDir(QStringLiteral(TEST_BIN_DIR)).absolutePath() + u'/');
    QVERIFY(run.documentIsNew);

    QVERIFY(frame->isVisible());
    QVERIFY(frame->windowState() & Qt::WindowMaximized);
    QVERIFY(!frame->windowIcon().isNull());
    QCOMPARE(frame->childFrames().size(), 1);
    QCOMPARE(frame->activeChild()->windowTitle(), QStringLiteral("Channel Information[*]"));
    QVERIFY(IsNewImage(frame->activeDocument()->image()));

    QVERIFY(frame->treeRoot()->isExpanded());
    QCOMPARE(TreeChildren(frame),
             QStringList({"Product Information", "Channel Information", "Optional Features"}));
    QVERIFY(!HasAction(frame->editMenu(), CommandId::kPowerAdjust));
    QVERIFY(!HasAction(frame->editMenu(), CommandId::kSqlAdjust));
    QVERIFY(program.prompts.asked.isEmpty());
}

void AppShellTest::startUpVariants_data() {
    QTest::addColumn<bool>("writeIni");
    QTest::addColumn<QString>("iniText");
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<QString>("company");
    QTest::addColumn<QString>("aboutItem");
    QTest::addColumn<bool>("languageItem");

    QTest::newRow("default Program.ini") << true << DefaultIniText() << false << "Quorvane Radio"
                                         << "About Radio Programmer..." << true;
    QTest::newRow("no Program.ini") << false << QString() << false << ""
                                    << "" << false;
    QTest::newRow("no keys") << true << "[Setup]\n"
                             << false << ""
                             << "" << false;
    QTest::newRow("Chinese without its section")
        << true << "[Setup]\nLanguage=Chinese\nShowLang=1\n[English]\nCompany=Acme\n"
        << true << ""
        << "" << true;
    // Section names match without regard to case, so the texts still come from [Chinese].
    QTest::newRow("lower-case chinese runs in English")
        << true << DefaultIniWith("Language", "chinese") << false << "Quorvane 無線電"
        << "關於寫頻軟件..." << true;
    QTest::newRow("ShowLang 0") << true << DefaultIniWith("ShowLang", "0") << false
                                << "Quorvane Radio"
                                << "About Radio Programmer..." << false;
    QTest::newRow("ShowLang letters")
        << true << DefaultIniWith("ShowLang", "yes") << false << "Quorvane Radio"
        << "About Radio Programmer..." << false;
    QTest::newRow("ShowLang blank and digits")
        << true << DefaultIniWith("ShowLang", " 2x") << false << "Quorvane Radio"
        << "About Radio Programmer..." << true;
}

void AppShellTest::startUpVariants() {
    QFETCH(bool, writeIni);
    QFETCH(QString, iniText);
    QFETCH(bool, chinese);
    QFETCH(QString, company);
    QFETCH(QString, aboutItem);
    QFETCH(bool, languageItem);
    PromptRecorder prompts;
    auto config = writeIni ? std::make_unique<ConfigDir>(iniText) : std::make_unique<ConfigDir>();
    auto app = StartProgram(*config);
    QVERIFY(app);
    CMainFrame* frame = app->mainFrame();
    QCOMPARE(appConfig().chineseLanguage, chinese);
    QCOMPARE(appConfig().helpFileName,
             chinese ? QStringLiteral("chHelp") : QStringLiteral("enHelp"));
    QCOMPARE(appConfig().applicationName, company);
    QCOMPARE(frame->treeRoot()->text(0), company);
    QCOMPARE(frame->navigatorBar()->caption(), company);
    QCOMPARE(frame->treeRoot()->childCount(), 3);
    QCOMPARE(frame->helpMenu()->actions().first()->text(), aboutItem);
    QCOMPARE(frame->helpMenu()->actions().first()->data().toInt(), CommandId::kAppAbout);
    QCOMPARE(HasAction(frame->setupMenu(), CommandId::kLanguage), languageItem);
    QCOMPARE(frame->childFrames().size(), 1);
    QVERIFY(prompts.asked.isEmpty());
}

void AppShellTest::acceleratorsRunTheirCommands() {
    RunningProgram program;
    CMainFrame* frame = program.frame;
    // Ctrl+N asks before clearing.
    QApplication::setActiveWindow(frame);
    QTest::keyClick(frame, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(program.prompts.asked.size(), 1);
    QCOMPARE(program.prompts.asked.first().text, QStringLiteral("All data will be Cleared!"));
    const auto read = DetachedCommand(frame, CommandId::kRead);
    const auto write = DetachedCommand(frame, CommandId::kWrite);
    QTest::keyClick(frame, Qt::Key_R, Qt::ControlModifier);
    QTest::keyClick(frame, Qt::Key_W, Qt::ControlModifier);
    QCOMPARE(read->size(), 1);
    QCOMPARE(write->size(), 1);
}

void AppShellTest::chineseTexts() {
    PromptRecorder prompts;
    ConfigDir config(DefaultIniWith("Language", "Chinese"));
    auto app = StartProgram(config);
    CMainFrame* frame = app->mainFrame();
    QVERIFY(appConfig().chineseLanguage);
    QCOMPARE(appConfig().helpFileName, QStringLiteral("chHelp"));
    QCOMPARE(frame->treeRoot()->text(0), QStringLiteral("Quorvane 無線電"));
    QCOMPARE(TreeChildren(frame), QStringList({"類型設置", "信道信息", "可選功能"}));
    QCOMPARE(frame->activeDocument()->title(), QStringLiteral("信道信息"));
    QCOMPARE(frame->helpMenu()->actions().first()->text(), QStringLiteral("關於寫頻軟件..."));
    // Menus stay English.
    QCOMPARE(frame->menuBar()->actions().first()->text(), QStringLiteral("&File"));
    frame->AppendAlignmentEntries();
    QCOMPARE(TreeChildren(frame),
             QStringList({"類型設置", "信道信息", "可選功能", "功率調整", "靜噪調整"}));
    QCOMPARE(frame->editMenu()->actions().last()->text(), QStringLiteral("靜噪調整"));
}

void AppShellTest::commandLine() {
    const QString config = QDir::tempPath();
    CommandLine parsed =
        ParseCommandLine({"Program", "--port", "/dev/ttyUSB3", "--config", config, "radio.dat"});
    QVERIFY(parsed.error.isEmpty());
    QCOMPARE(parsed.port, QStringLiteral("/dev/ttyUSB3"));
    QCOMPARE(parsed.configDir, QDir(config).absolutePath());
    QCOMPARE(parsed.datFile, QStringLiteral("radio.dat"));
    QCOMPARE(RestartArguments(parsed),
             QStringList({"--config", QDir(config).absolutePath(), "--port", "/dev/ttyUSB3"}));
    QCOMPARE(RestartArguments(ParseCommandLine({"Program"})), QStringList());
    // The language restart keeps tracing into the same file.
    const QString trace = QDir(config).filePath("trace.txt");
    QCOMPARE(RestartArguments(ParseCommandLine({"Program", "--trace", trace})),
             QStringList({"--trace", trace}));
    QVERIFY(!ParseCommandLine({"Program", "--bogus"}).error.isEmpty());
    QVERIFY(!ParseCommandLine({"Program", "a.dat", "b.dat"}).error.isEmpty());
    QVERIFY(!ParseCommandLine({"Program", "--port"}).error.isEmpty());
    QVERIFY(ParseCommandLine({"Program", "--help"}).helpRequested);

    CProgramApp bad;
    QVERIFY(!bad.InitInstance({"Program", "--bogus"}, QStringLiteral(TEST_BIN_DIR)));
    QCOMPARE(bad.exitCode(), 2);
    QVERIFY(!bad.mainFrame());

    // --port is the port of the run, and the restart passes the options on.
    PromptRecorder prompts;
    ConfigDir dir(DefaultIniText());
    auto app = StartProgram(dir, {"--port", "/dev/ttyACM7"});
    QCOMPARE(appConfig().portName, QStringLiteral("/dev/ttyACM7"));
    QCOMPARE(appConfig().commandLinePort, QStringLiteral("/dev/ttyACM7"));
}

void AppShellTest::commandLineDatFile() {
    PromptRecorder prompts;
    ConfigDir config(DefaultIniText());
    RadioImage image = NewImage();
    image[0x10] = 0x25;
    image[ImageMap::kImageSize - 1] = 0x5A;
    QVERIFY(SaveDatFile(config.filePath("radio.dat"), image, nullptr));
    auto app = StartProgram(config, {config.filePath("radio.dat")});
    QVERIFY(app);
    CMainFrame* frame = app->mainFrame();
    QCOMPARE(frame->childFrames().size(), 1);
    QCOMPARE(frame->activeDocument()->image(), image);
    QVERIFY(!appConfig().documentIsNew);
    QCOMPARE(frame->activeChild()->windowTitle(), QStringLiteral("radio.dat[*]"));

    // The main window shows the title the active document's view asks for.
    QVERIFY(frame->windowTitle().startsWith("FM Radio Programmer"));
    CChildFrame* first = frame->activeChild();
    first->setMainTitle("first");
    QCOMPARE(frame->windowTitle(), QStringLiteral("first"));
    QVERIFY(frame->openDocumentFile(config.filePath("radio.dat")));
    frame->activeChild()->setMainTitle("second");
    first->setMainTitle("first again");
    QCOMPARE(frame->windowTitle(), QStringLiteral("second"));

    // A file that cannot be loaded is reported and ends the start.
    QVERIFY(WriteFileBytes(config.filePath("short.dat"), QByteArray(1023, 0)));
    CProgramApp refused;
    QVERIFY(
        !refused.InitInstance({"Program", "--config", config.path(), config.filePath("short.dat")},
                              QStringLiteral(TEST_BIN_DIR)));
    QCOMPARE(refused.exitCode(), 1);
    QCOMPARE(prompts.asked.size(), 1);
    QVERIFY(prompts.asked.first().text.contains("1023"));
    QCOMPARE(prompts.asked.first().icon, QMessageBox::Warning);
}

// --- Documents ----------------------------------------------------------------------

void AppShellTest::newAsksBeforeClearing() {
    RunningProgram program;
    CMainFrame* frame = program.frame;
    CChildFrame* first = frame->activeChild();
    first->document()->edit(QStringLiteral("test"), [&](RadioImage& bytes) { bytes[0x20] = 0x11; });
    QString error;
    QVERIFY(first->document()->OnSaveDocument(program.config.filePath("first.dat"), &error));

    program.prompts.answerNext(QMessageBox::Cancel);
    frame->OnFileNew();
    QCOMPARE(program.prompts.asked.size(), 1);
    QCOMPARE(program.prompts.asked[0].text, QStringLiteral("All data will be Cleared!"));
    QCOMPARE(program.prompts.asked[0].buttons, QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(frame->activeChild(), first);
    QCOMPARE(first->document()->image()[0x20], 0x11);

    // OK replaces the document; an unchanged document is not asked about again.
    program.prompts.answerNext(QMessageBox::Ok);
    frame->OnFileNew();
    QCOMPARE(program.prompts.asked.size(), 2);
    QCOMPARE(frame->childFrames().size(), 1);
    QVERIFY(frame->activeChild() != first);
    QVERIFY(IsNewImage(frame->activeDocument()->image()));

    // With unsaved changes, OK is followed by Save / Discard / Cancel.
    CChildFrame* second = frame->activeChild();
    second->document()->edit(QStringLiteral("test"),
                             [](RadioImage& bytes) { bytes[0x20] ^= 0x01; });
    QCOMPARE(second->windowTitle(), QStringLiteral("Channel Information[*]"));
    QVERIFY(second->isWindowModified());
    program.prompts.answerNext(QMessageBox::Ok);
    program.prompts.answerNext(QMessageBox::Cancel);
    frame->OnFileNew();
    QCOMPARE(program.prompts.asked.size(), 4);
    QCOMPARE(program.prompts.asked[3].buttons,
             QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    QCOMPARE(frame->activeChild(), second);

    program.prompts.answerNext(QMessageBox::Ok);
    program.prompts.answerNext(QMessageBox::Save);
    program.prompts.setSaveFile(program.config.filePath("kept.dat"));
    frame->OnFileNew();
    QCOMPARE(ReadFileBytes(program.config.filePath("kept.dat")).size(), ImageMap::kImageSize);
    QVERIFY(frame->activeChild() != second);
    QCOMPARE(frame->childFrames().size(), 1);
}

void AppShellTest::openHidesActiveWindowAndCloseOnlyHides() {
    RunningProgram program;
    CMainFrame* frame = program.frame;
    CChildFrame* first = frame->activeChild();
    QSignalSpy activeChanged(frame, &CMainFrame::activeDocumentChanged);

    QVERIFY(WriteFileBytes(program.config.filePath("other.dat"),
                           QByteArray(ImageMap::kImageSize, 0x33)));
    program.prompts.setOpenFile(program.config.filePath("other.dat"));
    frame->OnFileOpen();
    QCOMPARE(frame->childFrames().size(), 2);
    CChildFrame* second = frame->activeChild();
    QVERIFY(second != first);
    QVERIFY(first->isHidden());
    QVERIFY(second->isVisible());
    QCOMPARE(second->document()->image()[0], 0x33);
    QCOMPARE(activeChanged.size(), 1);

    // File > Close and the close box hide the window; the document stays open.
    frame->commandAction(CommandId::kFileClose)->trigger();
    QVERIFY(second->isHidden());
    QCOMPARE(frame->activeChild(), second);
    frame->commandAction(CommandId::kChannelInformation)->trigger();
    QVERIFY(second->isVisible());
    QVERIFY(!second->isMaximized());
    second->showMaximized();
    QVERIFY(!second->close());
    QVERIFY(second->isHidden());
    QCOMPARE(frame->childFrames().size(), 2);
    frame->OnChannelInformation();
    QVERIFY(second->isVisible());
    QVERIFY(!second->isMaximized());
    QCOMPARE(second->document()->image()[0], 0x33);
    QVERIFY(first->isHidden());
}

void AppShellTest::shortFileRefusedKeepsDocument() {
    RunningProgram program;
    CMainFrame* frame = program.frame;
    CChildFrame* shown = frame->activeChild();
    shown->document()->edit(QStringLiteral("test"), [&](RadioImage& bytes) { bytes[0x30] = 0x42; });
    QString error;
    QVERIFY(shown->document()->OnSaveDocument(program.config.filePath("shown.dat"), &error));

    QVERIFY(WriteFileBytes(program.config.filePath("short.dat"), QByteArray(1023, 0x11)));
    program.prompts.setOpenFile(program.config.filePath("short.dat"));
    frame->OnFileOpen();
    QCOMPARE(program.prompts.asked.size(), 1);
    QVERIFY(program.prompts.asked[0].text.contains("1023"));
    QVERIFY(program.prompts.asked[0].text.contains("short.dat"));
    QCOMPARE(frame->childFrames().size(), 1);
    QCOMPARE(frame->activeChild(), shown);
    QVERIFY(shown->isVisible());
    QCOMPARE(shown->document()->image()[0x30], 0x42);
    QVERIFY(appConfig().documentIsNew);

    // A longer file loads; bytes past the image are ignored.
    QVERIFY(WriteFileBytes(program.config.filePath("long.dat"),
                           QByteArray(ImageMap::kImageSize, 0x21) + char(0x7F)));
    QVERIFY(frame->openDocumentFile(program.config.filePath("long.dat")));
    QCOMPARE(frame->activeDocument()->image()[ImageMap::kImageSize - 1], 0x21);
}

void AppShellTest::saveWritesTheImage() {
    RunningProgram program;
    CMainFrame* frame = program.frame;
    CProgramDoc* doc = frame->activeDocument();
    doc->edit(QStringLiteral("test"), [](RadioImage& image) { image[0x40] = 0x99; });

    // The first Save asks for a name, proposing AppName; cancelling saves nothing.
    frame->OnFileSave();
    QCOMPARE(program.prompts.proposedSaveNames, QStringList({"RadioProgrammer.dat"}));
    program.prompts.proposedSaveNames.clear();
    QVERIFY(doc->isModified());

    program.prompts.setSaveFile(program.config.filePath("saved.dat"));
    frame->OnFileSave();
    const QByteArray bytes = ReadFileBytes(program.config.filePath("saved.dat"));
    QCOMPARE(bytes.size(), ImageMap::kImageSize);
    QCOMPARE(quint8(bytes[0x40]), quint8(0x99));
    QVERIFY(!doc->isModified());
    QCOMPARE(frame->activeChild()->windowTitle(), QStringLiteral("saved.dat[*]"));

    // Save again writes to the same file without asking; Save As asks again.
    frame->OnFileSave();
    QCOMPARE(program.prompts.proposedSaveNames.size(), 1);
    program.prompts.setSaveFile(program.config.filePath("copy.dat"));
    frame->OnFileSaveAs();
    QCOMPARE(program.prompts.proposedSaveNames.last(), program.config.filePath("saved.dat"));
    QCOMPARE(ReadFileBytes(program.config.filePath("copy.dat")), bytes);
}

void AppShellTest::unsavedChangesOnClose() {
    RunningProgram program;
    CMainFrame* frame = program.frame;
    QVERIFY(frame->close()); // nothing changed: no question
    QVERIFY(program.prompts.asked.isEmpty());

    frame->show();
    QVERIFY(WriteFileBytes(program.config.filePath("a.dat"), QByteArray(ImageMap::kImageSize, 0)));
    QVERIFY(frame->openDocumentFile(program.config.filePath("a.dat")));
    frame->childFrames().first()->document()->edit(
        QStringLiteral("test"), [](RadioImage& bytes) { bytes[0x20] ^= 0x01; }); // the hidden one
    program.prompts.answerNext(QMessageBox::Cancel);
    QVERIFY(!frame->close());
    QVERIFY(frame->isVisible());
    QCOMPARE(program.prompts.asked.size(), 1);
    QVERIFY(program.prompts.asked[0].text.contains("Channel Information"));

    program.prompts.answerNext(QMessageBox::Discard);
    QVERIFY(frame->close());
}

// --- Main window --------------------------------------------------------------------

void AppShellTest::treeActsOnItemUnderCursor() {
    RunningProgram program;
    CMainFrame* frame = program.frame;
    QTreeWidget* tree = frame->navigationTree();
    const auto features = DetachedCommand(frame, CommandId::kOptionalFeatures);
    const auto product = DetachedCommand(frame, CommandId::kProductInformation);
    QTreeWidgetItem* productItem = TreeChild(frame, "Product Information");
    QTreeWidgetItem* channelItem = TreeChild(frame, "Channel Information");
    QTreeWidgetItem* featuresItem = TreeChild(frame, "Optional Features");
    const auto pointAt = [tree](QTreeWidgetItem* item) {
        QCursor::setPos(tree->viewport()->mapToGlobal(tree->visualItemRect(item).center()));
    };
    const auto select = [tree](QTreeWidgetItem* item) {
        tree->setCurrentItem(item);
        QTest::qWait(20);
    };

    // The item under the pointer acts, whichever item the selection moved to.
    pointAt(featuresItem);
    select(productItem);
    QCOMPARE(features->size(), 1);
    QCOMPARE(product->size(), 0);
    QCOMPARE(tree->currentItem(), frame->treeRoot());
    // The same item again acts again, and only once per selection.
    select(featuresItem);
    QCOMPARE(features->size(), 2);
    QCOMPARE(tree->currentItem(), frame->treeRoot());

    // The root (company name) and empty space do nothing.
    pointAt(frame->treeRoot());
    select(productItem);
    QCursor::setPos(tree->viewport()->mapToGlobal(QPoint(5, tree->viewport()->height() - 5)));
    select(channelItem);
    QCOMPARE(features->size(), 2);
    QCOMPARE(product->size(), 0);
    QCOMPARE(tree->currentItem(), frame->treeRoot());

    // Channel Information brings the hidden channel window back.
    frame->OnFileClose();
    QVERIFY(frame->activeChild()->isHidden());
    pointAt(channelItem);
    select(productItem);
    QVERIFY(frame->activeChild()->isVisible());
    QCOMPARE(product->size(), 0);
}

void AppShellTest::controlBarAndNavigatorBar() {
    RunningProgram program;
    CMainFrame* frame = program.frame;
    frame->showNormal();
    frame->resize(1000, 600);
    QTest::qWait(20);
    CNavigatorBar* bar = frame->navigatorBar();
    QAction* controlBar = frame->commandAction(CommandId::kViewControlBar);
    QVERIFY(controlBar->isChecked());
    QVERIFY(bar->isVisible());
    QCOMPARE(bar->width(), CNavigatorBar::kStartWidth);

    controlBar->trigger();
    QVERIFY(!bar->isVisible());
    QVERIFY(!controlBar->isChecked());
    controlBar->trigger();
    QVERIFY(bar->isVisible());

    // The close button has the tool tip "Close"; pressing it and releasing elsewhere
    // keeps the bar.
    const QPoint button = bar->closeButtonRect().center();
    QHelpEvent tip(QEvent::ToolTip, button, bar->mapToGlobal(button));
    QApplication::sendEvent(bar, &tip);
    QCOMPARE(QToolTip::text(), QStringLiteral("Close"));
    QTest::mousePress(bar, Qt::LeftButton, {}, button);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(40, 200));
    QVERIFY(bar->isVisible());
    QTest::mouseClick(bar, Qt::LeftButton, {}, button);
    QVERIFY(!bar->isVisible());
    QVERIFY(!controlBar->isChecked());
    controlBar->trigger();

    // Dragging the edge: the tracking line stops at 80 px, the width at 11 px.
    const QPoint edge = bar->sizingStripRect().center();
    QTest::mousePress(bar, Qt::LeftButton, {}, edge);
    QMouseEvent move(QEvent::MouseMove, QPointF(3, edge.y()),
                     bar->mapToGlobal(QPointF(3, edge.y())), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(bar, &move);
    QVERIFY(bar->trackingLine()->isVisible());
    QCOMPARE(bar->trackingLine()->x(), bar->mapTo(bar->parentWidget(), QPoint(80, 0)).x());
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(3, edge.y()));
    QVERIFY(!bar->trackingLine()->isVisible());
    QCOMPARE(bar->width(), CNavigatorBar::kMinWidth);

    // ... and at most half the window.
    QTest::mousePress(bar, Qt::LeftButton, {}, bar->sizingStripRect().center());
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(900, edge.y()));
    QCOMPARE(bar->width(), frame->width() / 2);
    QTest::mousePress(bar, Qt::LeftButton, {}, bar->sizingStripRect().center());
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(300, edge.y()));
    QCOMPARE(bar->width(), 300);
    QTest::qWait(20);
    QVERIFY(frame->navigationTree()->geometry().right() < 300);
    // The dragged width is kept per user; the next run of this test starts afresh.
    UserStore(program.config.iniPath()).remove("NavigatorWidth");
}

void AppShellTest::ctrlF11AndAlignmentEntries() {
    RunningProgram program;
    CMainFrame* frame = program.frame;
    // Only the signal is tested here; the password dialog behind it is not.
    QObject::disconnect(frame, &CMainFrame::alignmentUnlockRequested, nullptr, nullptr);
    QSignalSpy unlock(frame, &CMainFrame::alignmentUnlockRequested);
    QWidget* inside = frame->activeView();
    QTest::keyClick(inside, Qt::Key_F11);
    QCOMPARE(unlock.size(), 0);
    QTest::keyClick(inside, Qt::Key_F11, Qt::ControlModifier);
    QCOMPARE(unlock.size(), 1);
    QTest::keyClick(frame->navigationTree(), Qt::Key_F11, Qt::ControlModifier);
    QCOMPARE(unlock.size(), 2);

    // Not while a modal dialog runs.
    QDialog modal(frame);
    modal.setWindowModality(Qt::ApplicationModal);
    modal.show();
    QTest::keyClick(&modal, Qt::Key_F11, Qt::ControlModifier);
    QTest::keyClick(inside, Qt::Key_F11, Qt::ControlModifier);
    QCOMPARE(unlock.size(), 2);
    modal.hide();

    // The entries are added once, to the tree and at the end of the Edit menu.
    frame->AppendAlignmentEntries();
    frame->AppendAlignmentEntries();
    QCOMPARE(TreeChildren(frame), QStringList({"Product Information", "Channel Information",
                                               "Optional Features", "Power Adjust", "Sql Adjust"}));
    const QList<QAction*> edit = frame->editMenu()->actions();
    QCOMPARE(edit.size(), 5);
    QCOMPARE(edit[3]->data().toInt(), CommandId::kPowerAdjust);
    QCOMPARE(edit[4]->data().toInt(), CommandId::kSqlAdjust);
    const auto sql = DetachedCommand(frame, CommandId::kSqlAdjust);
    QTreeWidget* tree = frame->navigationTree();
    QCursor::setPos(tree->viewport()->mapToGlobal(
        tree->visualItemRect(TreeChild(frame, "Sql Adjust")).center()));
    tree->setCurrentItem(TreeChild(frame, "Power Adjust"));
    QTest::qWait(20);
    QCOMPARE(sql->size(), 1);
}

void AppShellTest::backgroundPicture() {
    PromptRecorder prompts;
    ConfigDir config(DefaultIniText());
    {
        auto app = StartProgram(config);
        CMdiClientWnd* client = app->mainFrame()->mdiClient();
        QVERIFY(!client->usesBuiltInPicture());
        QCOMPARE(client->backgroundPicture().size(),
                 QImage(QStringLiteral(TEST_BIN_DIR "/background.bmp")).size());
    }
    // A program folder without background.bmp shows the built-in picture.
    CProgramApp app;
    QVERIFY(app.InitInstance({"Program", "--config", config.path()}, config.path()));
    QVERIFY(app.mainFrame()->mdiClient()->usesBuiltInPicture());
    QCOMPARE(app.mainFrame()->mdiClient()->backgroundPicture().size(), QSize(238, 157));
}

// --- Language, About, help ------------------------------------------------------------

void AppShellTest::languageSwitch() {
    PromptRecorder prompts;
    ConfigDir config(DefaultIniText());
    auto app = StartProgram(config, {"--port", "/dev/ttyUSB1"});
    CMainFrame* frame = app->mainFrame();
    QStringList launched;
    frame->setRestartLauncher([&launched](const QString& program, const QStringList& args) {
        launched << program << args;
        return true;
    });

    // The language in use: nothing written, nothing restarted.
    CLanguageDlg dialog(frame);
    dialog.show();
    QCOMPARE(dialog.chosenIndex(), -1);
    dialog.englishButton()->setChecked(true);
    const QByteArray before = ReadFileBytes(config.iniPath());
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.chosenIndex(), 0);
    QVERIFY(!dialog.languageChanged());
    QCOMPARE(ReadFileBytes(config.iniPath()), before);

    // The other language rewrites [Setup] Language, keeping the rest of the file.
    dialog.show();
    dialog.chineseButton()->setChecked(true);
    dialog.accept();
    QVERIFY(dialog.languageChanged());
    QCOMPARE(ReadProfileString(config.iniPath(), "Setup", "Language"), QStringLiteral("Chinese"));
    QCOMPARE(ReadProfileString(config.iniPath(), "Chinese", "Company"),
             QStringLiteral("Quorvane 無線電"));

    // Unsaved changes and Cancel: the window stays and nothing restarts.
    frame->activeDocument()->edit(QStringLiteral("test"),
                                  [](RadioImage& bytes) { bytes[0x20] ^= 0x01; });
    prompts.answerNext(QMessageBox::Cancel);
    QVERIFY(!frame->restartForLanguage());
    QVERIFY(frame->isVisible());
    QVERIFY(launched.isEmpty());

    // Choosing English again after the cancelled restart puts English back.
    dialog.show();
    dialog.englishButton()->setChecked(true);
    dialog.accept();
    QVERIFY(!dialog.languageChanged());
    QCOMPARE(ReadProfileString(config.iniPath(), "Setup", "Language"), QStringLiteral("English"));

    // Discard: the window closes and the program starts again with the same options.
    prompts.answerNext(QMessageBox::Discard);
    QVERIFY(frame->restartForLanguage());
    QVERIFY(!frame->isVisible());
    QCOMPARE(launched, QStringList({QCoreApplication::applicationFilePath(), "--config",
                                    config.path(), "--port", "/dev/ttyUSB1"}));

    // The new run reads the new language.
    WriteProfileString(config.iniPath(), "Setup", "Language", "Chinese");
    auto next = StartProgram(config);
    QVERIFY(appConfig().chineseLanguage);
}

void AppShellTest::aboutDialog() {
    PromptRecorder prompts;
    {
        ConfigDir config(DefaultIniText());
        auto app = StartProgram(config);
        CAboutDlg about(app->mainFrame());
        QCOMPARE(about.windowTitle(), QStringLiteral("About Radio Programmer..."));
        QCOMPARE(about.versionLabel()->text(), QStringLiteral("Radio Programmer Version 1.0"));
        QCOMPARE(about.copyrightsLabel()->text(), QStringLiteral("Copyright (C) 2024"));
        QCOMPARE(about.ownerLabel()->text(), QStringLiteral("Quorvane Radio"));
    }
    ConfigDir config("[Setup]\nLanguage=Chinese\n[English]\nVersion=1\n");
    auto app = StartProgram(config);
    CAboutDlg about(app->mainFrame());
    QVERIFY(about.windowTitle().isEmpty());
    QVERIFY(about.versionLabel()->text().isEmpty());
    QVERIFY(about.copyrightsLabel()->text().isEmpty());
    QVERIFY(about.ownerLabel()->text().isEmpty());
}

void AppShellTest::helpTopics() {
    // Every topic names a page that exists in both languages.
    for (int id : {0, 32777, 32773, 32774, 32782, 32786, 32788, 32783, 32784, 32799, 57600, 57603,
                   1000, 2127, 2132, 1129, 1013, 1118, 99999}) {
        const QString page = HelpTopicFor(id).section(u'#', 0, 0);
        for (const char* language : {"enHelp", "chHelp"})
            QVERIFY2(QFile::exists(QStringLiteral(TEST_BIN_DIR "/help/%1/%2").arg(language, page)),
                     qPrintable(page));
    }
    QCOMPARE(HelpTopicFor(99999), QStringLiteral("index.html"));
    QCOMPARE(HelpTopicFor(32777), QStringLiteral("connecting.html#port"));

    RunningProgram program;
    CMainFrame* frame = program.frame;

    // F1 that no widget handles: the nearest helpId of the focused widget, else the
    // contents; F1 on a highlighted menu item: its command.
    QList<int> requested;
    SetHelpHandler([&requested](int id) { requested << id; });
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
    QCOMPARE(requested,
             QList<int>({kHelpContents, CommandId::kViewControlBar, CommandId::kComSetup}));

    // The viewer opens the page of the topic in the run's language.
    CHelpViewer viewer(frame);
    viewer.showTopic(32777);
    QCOMPARE(viewer.currentSource().fileName(), QStringLiteral("connecting.html"));
    QCOMPARE(viewer.currentSource().fragment(), QStringLiteral("port"));
    QVERIFY(viewer.currentSource().path().contains("/help/enHelp/"));
    viewer.showTopic(424242);
    QCOMPARE(viewer.currentSource().fileName(), QStringLiteral("index.html"));
}

TEST_CLASS(AppShellTest)
#include "tst_app.moc"
