// The main window: start-up, the document commands and their questions, the status
// bar, the tree, the
// navigation bar, Ctrl+F11, the background, the language switch, a band change.
#include "dialogs/CProductInfoDlg.h"
#include "files/AtomicFile.h"
#include "files/DatFile.h"
#include "radio/ChannelCodec.h"
#include "radio/ChannelRecord.h"
#include "app/ChildFrame.h"
#include "ui/CommandIds.h"
#include "tests/support/Files.h"
#include "dialogs/LanguageDlg.h"
#include "app/LockKeyPanes.h"
#include "app/MainFrame.h"
#include "app/MdiClientWnd.h"
#include "tests/support/Modal.h"
#include "app/NavigatorBar.h"
#include "document/ProgramDoc.h"
#include "tests/support/ProgramFixture.h"
#include "config/ProgramIni.h"
#include "radio/RadioImage.h"
#include "config/StartupConfig.h"
#include "tests/support/TestSuite.h"
#include "config/UserStore.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTest>
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

// Selects `item` with the pointer over `under`, as a click on `under` does.
void SelectWithPointerOver(QTreeWidget* tree, QTreeWidgetItem* under, QTreeWidgetItem* item) {
    QCursor::setPos(tree->viewport()->mapToGlobal(tree->visualItemRect(under).center()));
    tree->setCurrentItem(item);
    QTest::qWait(20);
}

void EditDocument(CProgramDoc* doc) {
    doc->edit(QStringLiteral("test"), [](RadioImage& bytes) { bytes[0x20] ^= 0x01; });
}

// Edit > Product Information, choosing model `type` and band `band` (0-based), OK.
void ChooseProduct(CMainFrame* frame, int type, int band) {
    WhenModal<CProductInfoDlg>([type, band](CProductInfoDlg* dialog) {
        dialog->typeList()->setCurrentIndex(type);
        dialog->bandList()->setCurrentIndex(band);
        QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                          Qt::LeftButton);
    });
    frame->commandAction(CommandId::kProductInformation)->trigger();
}

// "CAP" when shown lit, "(CAP)" when shown greyed, "" when empty.
QStringList PaneLooks(const CLockKeyPanes& panes) {
    QStringList looks;
    for (const QLabel* pane : {panes.pane(0), panes.pane(1), panes.pane(2)})
        looks << (pane->text().isEmpty() || pane->isEnabled() ? pane->text()
                                                              : '(' + pane->text() + ')');
    return looks;
}

} // namespace

class AppShellTest : public QObject {
    Q_OBJECT
private slots:
    void startUp_data();
    void startUp();
    void acceleratorsRunTheirCommands();
    void commandLineStarts();
    void openHidesAndCloseOnlyHides();
    void saveAndUnsavedChangesOnClose();
    void treeAndAlignmentEntries();
    void channelToolsFromTheEditMenu();
    void navigatorBar();
    void backgroundPicture();
    void languageSwitch();
    void bandChangeKeepsTheChannels();
    void lockKeyPanesFollowKeys();
};

void AppShellTest::startUp_data() {
    QTest::addColumn<QString>("iniText");
    QTest::addColumn<QString>("company");
    QTest::addColumn<QStringList>("tree");
    QTest::addColumn<QString>("aboutItem");
    QTest::addColumn<bool>("languageItem");
    QTest::newRow("default") << DefaultIniText() << "Quorvane Radio"
                             << QStringList{"Product Information", "Channel Information",
                                            "Optional Features"}
                             << "About Radio Programmer..." << true;
    QTest::newRow("no keys") << "[Setup]\n" << ""
                             << QStringList{"Product Information", "Channel Information",
                                            "Optional Features"}
                             << "" << false;
    QTest::newRow("Chinese") << DefaultIniWith("Language", "Chinese") << "Quorvane 無線電"
                             << QStringList{"類型設置", "信道信息", "可選功能"} << "關於寫頻軟件..."
                             << true;
}

void AppShellTest::startUp() {
    QFETCH(QString, iniText);
    QFETCH(QString, company);
    QFETCH(QStringList, tree);
    QFETCH(QString, aboutItem);
    QFETCH(bool, languageItem);
    PromptRecorder prompts;
    ConfigDir config(iniText);
    auto app = StartProgram(config);
    QVERIFY(app);
    CMainFrame* frame = app->mainFrame();
    QVERIFY(frame->isVisible());
    QVERIFY(frame->windowState() & Qt::WindowMaximized);
    QCOMPARE(frame->childFrames().size(), 1);
    QVERIFY(IsNewImage(frame->activeDocument()->image()));
    QVERIFY(frame->activeDocument()->isNew());
    QCOMPARE(frame->treeRoot()->text(0), company);
    QCOMPARE(frame->navigatorBar()->caption(), company);
    QCOMPARE(TreeChildren(frame), tree);
    QCOMPARE(frame->activeDocument()->title(startupConfig().language()), tree[1]);
    QCOMPARE(frame->helpMenu()->actions().first()->text(), aboutItem);
    const auto inMenu = [frame](QMenu* menu, int id) {
        return menu->actions().contains(frame->commandAction(id));
    };
    QCOMPARE(inMenu(frame->setupMenu(), CommandId::kLanguage), languageItem);
    QVERIFY(!inMenu(frame->editMenu(), CommandId::kPowerAdjust));
    QVERIFY(inMenu(frame->editMenu(), CommandId::kEditUndo));
    QVERIFY(inMenu(frame->editMenu(), CommandId::kEditRedo));
    QCOMPARE(frame->menuBar()->actions().first()->text(), QStringLiteral("&File")); // always English
    QVERIFY(prompts.asked.isEmpty());
}

void AppShellTest::acceleratorsRunTheirCommands() {
    RunningProgram program;
    CMainFrame* frame = program.frame;
    CChildFrame* first = frame->activeChild();
    QApplication::setActiveWindow(frame);
    // New asks first: Cancel keeps the document, OK puts a new one in its place (the
    // unsaved-changes question: NothingLostTest).
    program.prompts.answerNext(QMessageBox::Cancel);
    QTest::keyClick(frame, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(program.prompts.asked.size(), 1);
    QCOMPARE(program.prompts.asked.first().text, QStringLiteral("All data will be Cleared!"));
    QCOMPARE(frame->activeChild(), first);
    EditDocument(first->document());
    program.prompts.answerNext(QMessageBox::Ok);
    program.prompts.answerNext(QMessageBox::Discard);
    QTest::keyClick(frame, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(frame->childFrames().size(), 1);
    QVERIFY(IsNewImage(frame->activeDocument()->image()));

    const auto read = DetachedCommand(frame, CommandId::kRead);
    const auto write = DetachedCommand(frame, CommandId::kWrite);
    QTest::keyClick(frame, Qt::Key_R, Qt::ControlModifier);
    QTest::keyClick(frame, Qt::Key_W, Qt::ControlModifier);
    QCOMPARE(read->size(), 1);
    QCOMPARE(write->size(), 1);

    // The status bar shows a command's text while it is pointed at, else "Ready".
    QCOMPARE(frame->statusBar()->currentMessage(), QStringLiteral("Ready"));
    frame->commandAction(CommandId::kRead)->showStatusText(frame);
    QCOMPARE(frame->statusBar()->currentMessage(),
             frame->commandAction(CommandId::kRead)->statusTip());
    QStatusTipEvent leave{QString()};
    QApplication::sendEvent(frame, &leave);
    QCOMPARE(frame->statusBar()->currentMessage(), QStringLiteral("Ready"));
}

void AppShellTest::commandLineStarts() {
    PromptRecorder prompts;
    CProgramApp bad;
    QVERIFY(!bad.InitInstance({"Program", "--bogus"}, QStringLiteral(TEST_BIN_DIR)));
    QCOMPARE(bad.exitCode(), 2);
    QVERIFY(!bad.mainFrame());

    ConfigDir config(DefaultIniText());
    RadioImage image = NewImage();
    image[ImageMap::kImageSize - 1] = 0x5A;
    QVERIFY(SaveDatFile(config.filePath("radio.dat"), image, nullptr));
    auto app = StartProgram(config, {"--port", "/dev/ttyACM7", config.filePath("radio.dat")});
    QVERIFY(app);
    CMainFrame* frame = app->mainFrame();
    QCOMPARE(frame->session().portName(), QStringLiteral("/dev/ttyACM7"));
    QCOMPARE(frame->childFrames().size(), 1);
    QCOMPARE(frame->activeDocument()->image(), image);
    QVERIFY(!frame->activeDocument()->isNew());
    QCOMPARE(frame->activeChild()->windowTitle(), QStringLiteral("radio.dat[*]"));

    // The main window shows the title the active document's view asks for.
    CChildFrame* first = frame->activeChild();
    first->setMainTitle("first");
    QCOMPARE(frame->windowTitle(), QStringLiteral("first"));
    QVERIFY(QFile::copy(config.filePath("radio.dat"), config.filePath("copy.dat")));
    QVERIFY(frame->openDocumentFile(config.filePath("copy.dat")));
    frame->activeChild()->setMainTitle("second");
    first->setMainTitle("first again");
    QCOMPARE(frame->windowTitle(), QStringLiteral("second"));

    // A file that cannot be loaded is reported and ends the start.
    QVERIFY(WriteFileBytes(config.filePath("short.dat"), QByteArray(1023, 0)));
    CProgramApp refused;
    refused.setPromptHandlers(prompts.handlers());
    QVERIFY(
        !refused.InitInstance({"Program", "--config", config.path(), config.filePath("short.dat")},
                              QStringLiteral(TEST_BIN_DIR)));
    QCOMPARE(refused.exitCode(), 1);
    QCOMPARE(prompts.asked.size(), 1);
    QVERIFY(prompts.asked.first().text.contains("1023"));
}

// Open shows the file in a window of its own and hides the shown one; bytes past the
// image are ignored (a short file: AppFilesTest). File > Close and the close box hide
// the window; the document stays open.
void AppShellTest::openHidesAndCloseOnlyHides() {
    RunningProgram program;
    CMainFrame* frame = program.frame;
    CChildFrame* first = frame->activeChild();
    QVERIFY(WriteFileBytes(program.config.filePath("long.dat"),
                           QByteArray(ImageMap::kImageSize, 0x33) + char(0x7F)));
    program.prompts.setOpenFile(program.config.filePath("long.dat"));
    frame->OnFileOpen();
    QCOMPARE(frame->childFrames().size(), 2);
    CChildFrame* second = frame->activeChild();
    QVERIFY(first->isHidden());
    QCOMPARE(second->document()->image()[ImageMap::kImageSize - 1], 0x33);

    frame->commandAction(CommandId::kFileClose)->trigger();
    QVERIFY(second->isHidden());
    frame->commandAction(CommandId::kChannelInformation)->trigger();
    QVERIFY(second->isVisible());
    second->showMaximized();
    QVERIFY(!second->close());
    QVERIFY(second->isHidden());
    QCOMPARE(frame->childFrames().size(), 2);
    frame->OnChannelInformation();
    QVERIFY(second->isVisible());
    QVERIFY(!second->isMaximized());

    // A command that acts on the channels shows the closed window it acts on.
    QVERIFY(!second->close());
    WhenModal<QDialog>([](QDialog* dialog) { dialog->reject(); });
    frame->commandAction(CommandId::kScanInfo)->trigger();
    QVERIFY(second->isVisible());
    QCOMPARE(frame->activeChild(), second);
}

// Save asks for a name once; Save As again. The unsaved-changes mark follows undo. Closing asks only about changed documents,
// hidden ones included, by name (the answers: NothingLostTest).
void AppShellTest::saveAndUnsavedChangesOnClose() {
    RunningProgram program;
    CMainFrame* frame = program.frame;
    CProgramDoc* doc = frame->activeDocument();
    doc->edit(QStringLiteral("test"), [](RadioImage& image) { image[0x40] = 0x99; });
    frame->OnFileSave(); // no name given: nothing saved
    QCOMPARE(program.prompts.proposedSaveNames, QStringList({"RadioProgrammer.dat"}));
    QVERIFY(doc->isModified());

    program.prompts.setSaveFile(program.config.filePath("saved.dat"));
    frame->OnFileSave();
    const QByteArray bytes = ReadFileBytes(program.config.filePath("saved.dat"));
    QCOMPARE(quint8(bytes[0x40]), quint8(0x99));
    QVERIFY(!doc->isModified());
    CChildFrame* child = frame->activeChild();
    QCOMPARE(child->windowTitle(), QStringLiteral("saved.dat[*]"));
    // The mark follows the history: an undo back to the saved state clears it.
    EditDocument(doc);
    QVERIFY(child->isWindowModified());
    frame->commandAction(CommandId::kEditUndo)->trigger();
    QVERIFY(!child->isWindowModified());
    frame->commandAction(CommandId::kEditUndo)->trigger();
    QVERIFY(child->isWindowModified()); // now before the saved state
    frame->commandAction(CommandId::kEditRedo)->trigger();
    QVERIFY(!doc->isModified());
    frame->OnFileSave();
    QCOMPARE(program.prompts.proposedSaveNames.size(), 2);
    program.prompts.setSaveFile(program.config.filePath("copy.dat"));
    frame->OnFileSaveAs();
    QCOMPARE(program.prompts.proposedSaveNames.size(), 3);
    QCOMPARE(ReadFileBytes(program.config.filePath("copy.dat")), bytes);

    QVERIFY(frame->close());
    QVERIFY(program.prompts.asked.isEmpty());
    frame->show();
    QVERIFY(WriteFileBytes(program.config.filePath("a.dat"), QByteArray(ImageMap::kImageSize, 0)));
    QVERIFY(frame->openDocumentFile(program.config.filePath("a.dat")));
    EditDocument(doc); // the hidden one
    program.prompts.answerNext(QMessageBox::Discard);
    QVERIFY(frame->close());
    QCOMPARE(program.prompts.asked.size(), 1);
    QVERIFY(program.prompts.asked[0].text.contains("copy.dat"));
}

void AppShellTest::navigatorBar() {
    RunningProgram program;
    CMainFrame* frame = program.frame;
    frame->showNormal();
    frame->resize(1000, 600);
    QTest::qWait(20);
    CNavigatorBar* bar = frame->navigatorBar();
    QAction* controlBar = frame->commandAction(CommandId::kViewControlBar);
    controlBar->trigger();
    QVERIFY(!bar->isVisible());
    controlBar->trigger();
    QVERIFY(bar->isVisible());

    // The close button hides it only when released over it.
    const QPoint button = bar->closeButtonRect().center();
    QTest::mousePress(bar, Qt::LeftButton, {}, button);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(40, 200));
    QVERIFY(bar->isVisible());
    QTest::mouseClick(bar, Qt::LeftButton, {}, button);
    QVERIFY(!bar->isVisible());
    QVERIFY(!controlBar->isChecked());
    controlBar->trigger();

    // Dragging the edge: at least the smallest width, at most half the window; the
    // width is kept for the next run.
    const auto dragTo = [bar](int x) {
        QTest::mousePress(bar, Qt::LeftButton, {}, bar->sizingStripRect().center());
        QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(x, bar->sizingStripRect().center().y()));
        return bar->width();
    };
    QCOMPARE(dragTo(3), CNavigatorBar::kMinWidth);
    QCOMPARE(dragTo(900), frame->width() / 2);
    QCOMPARE(dragTo(300), 300);
    program.app.reset();
    QCOMPARE(StartProgram(program.config)->mainFrame()->navigatorBar()->width(), 300);
    UserStore(program.config.iniPath()).remove("NavigatorWidth"); // the next run starts afresh
}

// Ctrl+F11 asks for the unlock, not inside a modal dialog; the tree acts on the item
// under the pointer, whichever item the selection moved to, and again when chosen again.
void AppShellTest::treeAndAlignmentEntries() {
    RunningProgram program;
    CMainFrame* frame = program.frame;
    QObject::disconnect(frame, &CMainFrame::alignmentUnlockRequested, nullptr, nullptr);
    QSignalSpy unlock(frame, &CMainFrame::alignmentUnlockRequested);
    QTest::keyClick(frame->activeView(), Qt::Key_F11);
    QCOMPARE(unlock.size(), 0);
    QTest::keyClick(frame->activeView(), Qt::Key_F11, Qt::ControlModifier);
    QTest::keyClick(frame->navigationTree(), Qt::Key_F11, Qt::ControlModifier);
    QCOMPARE(unlock.size(), 2);
    QDialog modal(frame);
    modal.setWindowModality(Qt::ApplicationModal);
    modal.show();
    QTest::keyClick(&modal, Qt::Key_F11, Qt::ControlModifier);
    QCOMPARE(unlock.size(), 2);
    modal.hide();

    QTreeWidget* tree = frame->navigationTree();
    const auto features = DetachedCommand(frame, CommandId::kOptionalFeatures);
    const auto product = DetachedCommand(frame, CommandId::kProductInformation);
    QTreeWidgetItem* productItem = TreeChild(frame, "Product Information");
    QTreeWidgetItem* featuresItem = TreeChild(frame, "Optional Features");
    SelectWithPointerOver(tree, featuresItem, productItem);
    SelectWithPointerOver(tree, featuresItem, featuresItem);
    QCOMPARE(features->size(), 2);
    QCOMPARE(tree->currentItem(), frame->treeRoot());
    // The root does nothing; Channel Information brings the hidden channel window back.
    SelectWithPointerOver(tree, frame->treeRoot(), productItem);
    frame->OnFileClose();
    SelectWithPointerOver(tree, TreeChild(frame, "Channel Information"), productItem);
    QVERIFY(frame->activeChild()->isVisible());
    QCOMPARE(features->size(), 2);
    QCOMPARE(product->size(), 0);

    // The alignment entries are added once, to the tree and at the end of the Edit menu.
    frame->AppendAlignmentEntries();
    frame->AppendAlignmentEntries();
    QCOMPARE(TreeChildren(frame).mid(3), QStringList({"Power Adjust", "Sql Adjust"}));
    const QList<QAction*> edit = frame->editMenu()->actions();
    QCOMPARE(edit.size(), 15); // Undo, Redo, the six tools for many channels, two separators
    QCOMPARE(edit[14]->data().toInt(), CommandId::kSqlAdjust);
    const auto sql = DetachedCommand(frame, CommandId::kSqlAdjust);
    SelectWithPointerOver(tree, TreeChild(frame, "Sql Adjust"), productItem);
    QCOMPARE(sql->size(), 1);
}

// Edit > Compact and Sort by Frequency reach the active document's channel view.
void AppShellTest::channelToolsFromTheEditMenu() {
    RunningProgram program;
    CProgramDoc* doc = program.frame->activeDocument();
    doc->edit(QStringLiteral("test"), [](RadioImage& image) {
        Channel channel = Channel::newChannelDefaults();
        for (const auto& [number, units] : {std::pair{3, 14600000LL}, std::pair{5, 14500000LL}}) {
            channel.rx = channel.tx = Frequency{units};
            WriteChannelFields(channel, ChannelFields().set(), number, image);
        }
    });
    program.frame->commandAction(CommandId::kCompactChannels)->trigger();
    QCOMPARE(doc->undoLabel(), QStringLiteral("Compact"));
    QCOMPARE(ReadChannel(doc->image(), 1).rx.units, 14600000LL);
    program.frame->commandAction(CommandId::kSortByFrequency)->trigger();
    QCOMPARE(ReadChannel(doc->image(), 1).rx.units, 14500000LL);
}

// A program folder without background.bmp shows the built-in picture.
void AppShellTest::backgroundPicture() {
    PromptRecorder prompts;
    ConfigDir config(DefaultIniText());
    QVERIFY(!StartProgram(config)->mainFrame()->mdiClient()->usesBuiltInPicture());
    CProgramApp app;
    QVERIFY(app.InitInstance({"Program", "--config", config.path()}, config.path()));
    QVERIFY(app.mainFrame()->mdiClient()->usesBuiltInPicture());
}

// Which choices write Program.ini and ask for a restart: RunRulesTest::languageChoice.
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
    CLanguageDlg dialog(Language::English, frame->prompts(), frame);
    dialog.show();
    dialog.chineseButton()->setChecked(true);
    dialog.accept();
    QVERIFY(dialog.languageChanged());
    const QByteArray before = ReadFileBytes(config.iniPath());
    QVERIFY(!before.contains("Language=Chinese")); // nothing is written before the question

    // Unsaved changes and Cancel: the window stays, nothing restarts, and the next start
    // is in the run's language still.
    EditDocument(frame->activeDocument());
    prompts.answerNext(QMessageBox::Cancel);
    QVERIFY(!frame->restartForLanguage());
    QVERIFY(frame->isVisible());
    QVERIFY(launched.isEmpty());
    QCOMPARE(ReadFileBytes(config.iniPath()), before);

    // Program.ini cannot be written: the window stays and says why.
    prompts.answerNext(QMessageBox::Discard);
    AtomicFile::failWritesForTesting("No space left on device");
    QVERIFY(!frame->restartForLanguage());
    AtomicFile::failWritesForTesting(QString());
    QVERIFY(frame->isVisible());
    QVERIFY(launched.isEmpty());
    QVERIFY(prompts.asked.last().text.contains("cannot save the language choice (No space left"));

    // Discard: the window closes, the next start is in Chinese, and the program starts
    // again with the same options.
    prompts.answerNext(QMessageBox::Discard);
    QVERIFY(frame->restartForLanguage());
    QVERIFY(!frame->isVisible());
    QCOMPARE(ReadProfileString(config.iniPath(), "Setup", "Language"), QStringLiteral("Chinese"));
    QCOMPARE(launched, QStringList({QCoreApplication::applicationFilePath(), "--config",
                                    config.path(), "--port", "/dev/ttyUSB1"}));
}

// The channels the new band leaves out are kept, and the user hears once how many.
void AppShellTest::bandChangeKeepsTheChannels() {
    RunningProgram program;
    ChooseProduct(program.frame, 0, 0); // QR-16V, 136 - 174MHz, whatever the last run chose
    CProgramDoc* doc = program.frame->activeDocument();
    doc->edit("three channels", [](RadioImage& image) {
        int channel = 0;
        for (const char* frequency : {"146.52000", "150.00000", "450.00000"}) {
            ChannelRow row{};
            row[kColRxFrequency] = row[kColTxFrequency] = frequency;
            EncodeChannelRow(row, ++channel, image);
        }
    });
    const RadioImage before = doc->image();
    ChooseProduct(program.frame, 1, 0); // QR-16U, 400 - 470MHz
    QCOMPARE(program.prompts.asked.size(), 1);
    QCOMPARE(
        program.prompts.asked[0].text,
        QString("2 programmed channel(s) lie outside the new band. They are kept as they are."));
    QVERIFY(std::equal(before.begin() + ImageMap::channelRecord(1),
                       before.begin() + ImageMap::channelRecord(ImageMap::kChannelCount + 1),
                       doc->image().begin() + ImageMap::channelRecord(1)));
}

// The lock key panes show what the platform reports and nothing it does not.
void AppShellTest::lockKeyPanesFollowKeys() {
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

TEST_CLASS(AppShellTest)
#include "tst_app.moc"
