// Nothing the user has is lost: a save that fails keeps the unsaved-changes mark (and
// the old file), and a value typed into a cell without Enter is part of the document
// when it is closed, replaced, or read by Scan Info.
#include "AtomicFile.h"
#include "CMSFlexGrid.h"
#include "CProgramView.h"
#include "ChildFrame.h"
#include "CommandIds.h"
#include "Files.h"
#include "MainFrame.h"
#include "ProgramDoc.h"
#include "ProgramFixture.h"
#include "ScanInfo.h"
#include "TestSuite.h"
#include "UserStore.h"

#include <QApplication>
#include <QFile>
#include <QTest>
#include <QTimer>

namespace {

CProgramView* ActiveView(CMainFrame* frame) {
    return qobject_cast<CProgramView*>(frame->activeView());
}

// Types `text` into the receive frequency cell of channel 1 and leaves its editor open.
void TypeWithoutEnter(CMainFrame* frame, const QString& text) {
    frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frame));
    CProgramView* view = ActiveView(frame);
    view->setMessageFunction([](QWidget*, const QString& text, const QString&) {
        QFAIL(qPrintable("refused: " + text));
    });
    view->grid()->setFocus();
    view->grid()->SetRow(1);
    view->grid()->SetCol(kColRxFrequency);
    // The first key opens the editor, which takes the rest.
    QTest::keyClicks(view->grid(), text.left(1));
    QVERIFY(view->openEditor() != nullptr);
    QTest::keyClicks(view->openEditor(), text.mid(1));
}

// The program with the first model and band chosen (136 - 174 MHz).
std::unique_ptr<CProgramApp> StartWithBand(const ConfigDir& config) {
    UserStore store(config.iniPath());
    store.writeNumber("Type", 0);
    store.writeNumber("Field", 0);
    return StartProgram(config);
}

} // namespace

class NothingLostTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { AtomicFile::failWritesForTesting(QString()); }
    void failedSaveKeepsTheMarkAndTheFile();
    void typedValueCountsAtExit();
    void typedValueCountsAtNew();
    void typedValueIsKeptWhenAnotherFileOpens();
    void scanInfoSeesAClearedChannel();
};

void NothingLostTest::failedSaveKeepsTheMarkAndTheFile() {
    RunningProgram program;
    CMainFrame* frame = program.frame;
    const QString path = program.config.filePath("kept.dat");
    QVERIFY(WriteFileBytes(path, QByteArray(ImageMap::kImageSize, '\x5A')));
    QVERIFY(frame->openDocumentFile(path));
    CProgramDoc* doc = frame->activeDocument();
    doc->edit(QStringLiteral("test"), [](RadioImage& image) { image[0x20] ^= 0x01; });

    AtomicFile::failWritesForTesting("No space left on device");
    frame->OnFileSave();
    QCOMPARE(program.prompts.asked.size(), 1);
    QVERIFY2(program.prompts.asked[0].text.contains("No space left on device"),
             qPrintable(program.prompts.asked[0].text));
    QVERIFY(program.prompts.asked[0].text.contains("kept.dat"));
    QVERIFY(doc->isModified());
    QCOMPARE(ReadFileBytes(path), QByteArray(ImageMap::kImageSize, '\x5A'));

    // Exit still asks; Cancel keeps the window.
    program.prompts.answerNext(QMessageBox::Cancel);
    QVERIFY(!frame->close());
    QCOMPARE(program.prompts.asked.size(), 2);
    AtomicFile::failWritesForTesting(QString());
    program.prompts.answerNext(QMessageBox::Discard);
    QVERIFY(frame->close());
}

void NothingLostTest::typedValueCountsAtExit() {
    PromptRecorder prompts;
    ConfigDir config(DefaultIniText());
    auto app = StartWithBand(config);
    CMainFrame* frame = app->mainFrame();
    TypeWithoutEnter(frame, "146.5");
    prompts.answerNext(QMessageBox::Cancel);
    QVERIFY(!frame->close()); // the question sees the typed channel
    QCOMPARE(prompts.asked.size(), 1);
    QCOMPARE(ActiveView(frame)->channelTable()[0][kColRxFrequency], QStringLiteral("146.50000"));
    prompts.answerNext(QMessageBox::Discard);
    QVERIFY(frame->close());
}

void NothingLostTest::typedValueCountsAtNew() {
    PromptRecorder prompts;
    ConfigDir config(DefaultIniText());
    auto app = StartWithBand(config);
    CMainFrame* frame = app->mainFrame();
    TypeWithoutEnter(frame, "146.5");
    CChildFrame* before = frame->activeChild();
    prompts.answerNext(QMessageBox::Ok);     // "All data will be Cleared!"
    prompts.answerNext(QMessageBox::Cancel); // the unsaved-changes question
    frame->OnFileNew();
    QCOMPARE(prompts.asked.size(), 2);
    QCOMPARE(frame->activeChild(), before); // nothing replaced
    prompts.answerNext(QMessageBox::Discard);
    QVERIFY(frame->close());
}

void NothingLostTest::typedValueIsKeptWhenAnotherFileOpens() {
    PromptRecorder prompts;
    ConfigDir config(DefaultIniText());
    auto app = StartWithBand(config);
    CMainFrame* frame = app->mainFrame();
    QVERIFY(WriteFileBytes(config.filePath("other.dat"), QByteArray(ImageMap::kImageSize, '\xFF')));
    TypeWithoutEnter(frame, "146.5");
    CProgramView* first = ActiveView(frame);
    prompts.setOpenFile(config.filePath("other.dat"));
    prompts.answerNext(QMessageBox::Cancel); // the unsaved-changes question of the first
    frame->OnFileOpen();
    QCOMPARE(prompts.asked.size(), 1);
    QCOMPARE(ActiveView(frame), first);
    QCOMPARE(first->channelTable()[0][kColRxFrequency], QStringLiteral("146.50000"));
    prompts.answerNext(QMessageBox::Discard);
    QVERIFY(frame->close());
}

void NothingLostTest::scanInfoSeesAClearedChannel() {
    PromptRecorder prompts;
    ConfigDir config(DefaultIniText());
    auto app = StartWithBand(config);
    CMainFrame* frame = app->mainFrame();
    CProgramView* view = ActiveView(frame);
    CProgramDoc* doc = frame->activeDocument();
    TypeWithoutEnter(frame, "146.5");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(view->channelTable()[0][kColRxFrequency], QStringLiteral("146.50000"));

    // The channel is cleared in its editor, and Scan Info opens without Enter.
    TypeWithoutEnter(frame, "x");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    RadioImage seen{};
    QTimer::singleShot(0, [&] {
        seen = doc->image();
        if (QWidget* dialog = QApplication::activeModalWidget())
            QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
    });
    frame->commandAction(CommandId::kScanInfo)->trigger();
    QCOMPARE(view->channelTable()[0][kColRxFrequency], QString());
    QVERIFY(seen == doc->image());
    QVERIFY(!IsChannelProgrammed(seen, 1)); // the dialog was given the cleared channel
    prompts.answerNext(QMessageBox::Discard);
    QVERIFY(frame->close());
}

TEST_CLASS(NothingLostTest)
#include "tst_app_nothing_lost.moc"
