// Nothing the user has is lost: a save that fails keeps the unsaved-changes mark (and
// the old file), a value typed into a cell without Enter is part of the document when
// it is closed, replaced, or read by Scan Info, a file is open in one document only, a
// save does not silently replace what someone else wrote, and a dialog never stores
// another document's product.
#include "files/AtomicFile.h"
#include "ui/CMSFlexGrid.h"
#include "editor/CProgramView.h"
#include "app/ChildFrame.h"
#include "ui/CommandIds.h"
#include "tests/support/Files.h"
#include "tests/support/Modal.h"
#include "dialogs/CProductInfoDlg.h"
#include "app/MainFrame.h"
#include "document/ProgramDoc.h"
#include "tests/support/ProgramFixture.h"
#include "radio/ScanInfo.h"
#include "tests/support/TestSuite.h"
#include "config/UserStore.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QPushButton>
#include <QPointer>
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
    view->grid()->setFocus();
    view->grid()->SetRow(1);
    view->grid()->SetCol(kColRxFrequency);
    // The first key opens the editor, which takes the rest.
    QTest::keyClicks(view->grid(), text.left(1));
    QVERIFY(view->openEditor() != nullptr);
    QTest::keyClicks(view->openEditor(), text.mid(1));
}

void EditDocumentByte(CProgramDoc* doc) {
    doc->edit(QStringLiteral("test"), [](RadioImage& image) { image[0x20] ^= 0x01; });
}

// The program with the first model and band chosen (136 - 174 MHz).
std::unique_ptr<CProgramApp> StartWithBand(const ConfigDir& config) {
    UserStore store(config.iniPath());
    store.writeNumber("Type", 0);
    store.writeNumber("Field", 0);
    return StartProgram(config);
}

using Door = std::function<void(CMainFrame*)>;

// A radio image of `fill` bytes naming model `type` and band `band`.
QByteArray ImageBytes(char fill, int type = 0, int band = 0) {
    QByteArray bytes(ImageMap::kImageSize, fill);
    bytes[ImageMap::kProductType] = char(type);
    bytes[ImageMap::kProductBand] = char(band);
    return bytes;
}

} // namespace

class NothingLostTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { AtomicFile::failWritesForTesting(QString()); }
    void failedSaveKeepsTheMarkAndTheFile();
    void unsavedChangesQuestion_data();
    void unsavedChangesQuestion();
    void scanInfoSeesAClearedChannel();
    void oneDocumentPerFile();
    void saveAsksBeforeOverwritingAChangedFile();
    void productInformationOfTheActiveDocument();
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
    QVERIFY(doc->isModified());
    QCOMPARE(ReadFileBytes(path), QByteArray(ImageMap::kImageSize, '\x5A'));
}

// Every door that replaces or closes a document asks about its unsaved changes, a
// value still in its cell editor included, and follows the answer.
void NothingLostTest::unsavedChangesQuestion_data() {
    QTest::addColumn<Door>("door");
    QTest::addColumn<QList<int>>("answers"); // the last one answers the unsaved changes
    QTest::addColumn<bool>("replaced");
    QTest::addColumn<int>("documents"); // afterwards
    QTest::addColumn<bool>("saved");
    const Door exit = [](CMainFrame* frame) { QVERIFY(!frame->close()); };
    const Door fileNew = [](CMainFrame* frame) {
        frame->commandAction(CommandId::kFileNew)->trigger();
    };
    const Door open = [](CMainFrame* frame) {
        frame->commandAction(CommandId::kFileOpen)->trigger();
    };
    const int ok = QMessageBox::Ok; // "All data will be Cleared!"
    const int save = QMessageBox::Save, discard = QMessageBox::Discard,
              cancel = QMessageBox::Cancel;
    QTest::newRow("exit, Cancel") << exit << QList<int>{cancel} << false << 1 << false;
    QTest::newRow("new, Cancel") << fileNew << QList<int>{ok, cancel} << false << 1 << false;
    QTest::newRow("new, Save") << fileNew << QList<int>{ok, save} << true << 1 << true;
    QTest::newRow("open, Save") << open << QList<int>{save} << true << 2 << true;
    QTest::newRow("open, Discard") << open << QList<int>{discard} << true << 1 << false;
    QTest::newRow("open, Cancel") << open << QList<int>{cancel} << false << 1 << false;
}

void NothingLostTest::unsavedChangesQuestion() {
    QFETCH(Door, door);
    QFETCH(QList<int>, answers);
    QFETCH(bool, replaced);
    QFETCH(int, documents);
    QFETCH(bool, saved);
    PromptRecorder prompts;
    ConfigDir config(DefaultIniText());
    QVERIFY(WriteFileBytes(config.filePath("other.dat"), QByteArray(ImageMap::kImageSize, 0)));
    prompts.setOpenFile(config.filePath("other.dat"));
    prompts.setSaveFile(config.filePath("edited.dat"));
    auto app = StartWithBand(config);
    CMainFrame* frame = app->mainFrame();
    const QPointer<CProgramView> view = ActiveView(frame); // null once replaced by a new one
    TypeWithoutEnter(frame, "146.5");
    for (int answer : answers)
        prompts.answerNext(QMessageBox::StandardButton(answer));
    door(frame);
    QCOMPARE(prompts.asked.size(), answers.size());
    QCOMPARE(prompts.asked.last().buttons,
             QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    QCOMPARE(ActiveView(frame) != view, replaced);
    QCOMPARE(frame->childFrames().size(), documents);
    QCOMPARE(ReadFileBytes(config.filePath("edited.dat")).size(), saved ? ImageMap::kImageSize : 0);
    if (!replaced)
        QCOMPARE(view->channelTable()[0][kColRxFrequency], QStringLiteral("146.50000"));
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
    QVERIFY(!IsChannelProgrammed(seen, 1)); // the dialog was given the cleared channel
    prompts.answerNext(QMessageBox::Discard);
    QVERIFY(frame->close());
}

void NothingLostTest::oneDocumentPerFile() {
    RunningProgram program;
    CMainFrame* frame = program.frame;
    const QString path = program.config.filePath("a.dat");
    const QString other = program.config.filePath("b.dat");
    QVERIFY(WriteFileBytes(path, ImageBytes('\x11')));
    QVERIFY(WriteFileBytes(other, ImageBytes('\x22')));
    QVERIFY(QFile::link(path, program.config.filePath("link.dat")));
    QVERIFY(frame->openDocumentFile(path));
    CProgramDoc* first = frame->activeDocument();
    QVERIFY(frame->openDocumentFile(other));
    EditDocumentByte(first); // an edit of the window now hidden
    const int windows = frame->childFrames().size();

    // Opening the file again, by its name or through a link, brings back its window
    // with the unsaved edit, without a question and without a second copy.
    for (const QString& name : {path, program.config.filePath("link.dat")}) {
        QVERIFY(frame->openDocumentFile(name));
        QCOMPARE(frame->childFrames().size(), windows);
        QCOMPARE(frame->activeDocument(), first);
        QVERIFY(first->isModified());
        QVERIFY(frame->activeChild()->isVisible());
    }
    QVERIFY(program.prompts.asked.isEmpty());
    program.prompts.answerNext(QMessageBox::Discard);
    QVERIFY(frame->close());
}

void NothingLostTest::saveAsksBeforeOverwritingAChangedFile() {
    RunningProgram program;
    CMainFrame* frame = program.frame;
    const QString path = program.config.filePath("shared.dat");
    QVERIFY(WriteFileBytes(path, ImageBytes('\x11')));
    QVERIFY(frame->openDocumentFile(path));
    CProgramDoc* doc = frame->activeDocument();
    EditDocumentByte(doc);
    frame->OnFileSave(); // unchanged on disk: no question
    QVERIFY(program.prompts.asked.isEmpty());

    // Someone else writes the file; the next save names it and Cancel keeps their bytes.
    const QByteArray theirs = ImageBytes('\x33');
    QVERIFY(WriteFileBytes(path, theirs));
    EditDocumentByte(doc);
    program.prompts.answerNext(QMessageBox::Cancel);
    frame->OnFileSave();
    QCOMPARE(program.prompts.asked.size(), 1);
    QVERIFY2(program.prompts.asked[0].text.contains(path), qPrintable(program.prompts.asked[0].text));
    QCOMPARE(ReadFileBytes(path), theirs);
    QVERIFY(doc->isModified());

    // Save anyway writes ours, and the file is ours again: no further question.
    program.prompts.answerNext(QMessageBox::Save);
    frame->OnFileSave();
    QCOMPARE(ReadFileBytes(path).at(0x20), char(doc->image()[0x20]));
    QVERIFY(!doc->isModified());
    EditDocumentByte(doc);
    frame->OnFileSave();
    QCOMPARE(program.prompts.asked.size(), 2);
    // A file removed meanwhile is simply written again.
    QVERIFY(QFile::remove(path));
    EditDocumentByte(doc);
    frame->OnFileSave();
    QCOMPARE(program.prompts.asked.size(), 2);
    QCOMPARE(ReadFileBytes(path).size(), ImageMap::kImageSize);
}

// With two documents of different products open, the dialog shows the active one's
// product, and OK on it changes no byte of it.
void NothingLostTest::productInformationOfTheActiveDocument() {
    RunningProgram program;
    CMainFrame* frame = program.frame;
    QVERIFY(WriteFileBytes(program.config.filePath("x.dat"), ImageBytes('\0', 0, 0)));
    QVERIFY(WriteFileBytes(program.config.filePath("y.dat"), ImageBytes('\0', 1, 1)));
    QVERIFY(frame->openDocumentFile(program.config.filePath("x.dat")));
    CChildFrame* x = frame->activeChild();
    QVERIFY(frame->openDocumentFile(program.config.filePath("y.dat")));
    x->showAgain();
    QCOMPARE(frame->activeChild(), x);
    const RadioImage before = x->document()->image();
    int shownType = -1, shownBand = -1;
    WhenModal<CProductInfoDlg>([&](CProductInfoDlg* dialog) {
        shownType = dialog->typeList()->currentIndex();
        shownBand = dialog->bandList()->currentIndex();
        QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                          Qt::LeftButton);
    });
    frame->commandAction(CommandId::kProductInformation)->trigger();
    QCOMPARE(shownType, 0);
    QCOMPARE(shownBand, 0);
    QVERIFY(x->document()->image() == before);
    QVERIFY(!x->document()->isModified());
    QVERIFY(frame->close());
}

TEST_CLASS(NothingLostTest)
#include "tst_app_nothing_lost.moc"
