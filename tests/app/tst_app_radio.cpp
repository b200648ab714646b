// The window program against the simulated radio: read the radio, edit a channel,
// write it back, and find the edit in the radio's memory.
#include "ui/CMSFlexGrid.h"
#include "dialogs/WritePreviewDlg.h"
#include "document/ChannelClipboard.h"
#include "tests/support/Files.h"
#include "tests/support/Modal.h"
#include "ui/CProcessDlg.h"
#include "editor/CProgramView.h"
#include "radio/ChannelCodec.h"
#include "ui/CommandIds.h"
#include "app/MainFrame.h"
#include "document/ProgramDoc.h"
#include "tests/support/ProgramFixture.h"
#include "ui/TransferController.h"
#include "radio/RadioImage.h"
#include "tests/support/SimulatorProcess.h"
#include "tests/support/TestSuite.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QSignalSpy>
#include <QTest>

class AppRadioTest : public QObject {
    Q_OBJECT
private slots:
    void readEditWriteAgainstTheSimulator();
    void closingDuringATransferAsks_data();
    void closingDuringATransferAsks();
    void documentStaysAsTheReadFoundIt();
};

namespace {

RadioImage RadioWithOneChannel() {
    RadioImage image = NewImage();
    ChannelTable table = DecodeChannels(image, Language::English);
    table[0] = {"", "146.52", "146.52", "67.0", "None", "High", "Yes", "Off", "Wide", "No"};
    GridToImage(table, image);
    image[ImageMap::kProductType] = 0;
    image[ImageMap::kProductBand] = 0; // 136 - 174 MHz in the default Program.ini
    image[0x3F8] = 0x77;               // a byte the radio keeps and the program never sends
    return image;
}

// Runs one transfer through the menu command: the progress window's OK, then the end.
bool Transfer(CMainFrame* frame, CProgramView* view, int commandId) {
    QSignalSpy finished(view->transfer(), &TransferController::finished);
    frame->commandAction(commandId)->trigger();
    CProcessDlg* window = view->transfer()->progressWindow();
    if (!window)
        return false;
    window->findChild<QPushButton*>()->click(); // OK
    return finished.wait(30000) && finished.first().first().toBool();
}

// Starts a Read or Write through its menu command and waits until `blocks` blocks of
// its exchange went (a Write's own exchange, after the read before it); the radio's line
// is paced at 9600 baud, so the exchange still runs afterwards.
bool StartTransfer(CMainFrame* frame, CProgramView* view, int commandId, int blocks) {
    const int planBlocks = commandId == CommandId::kWrite ? 122 : 128;
    frame->commandAction(commandId)->trigger();
    const QPointer<CProcessDlg> window = view->transfer()->progressWindow();
    if (!window)
        return false;
    window->findChild<QPushButton*>()->click();
    auto* bar = window->findChild<QProgressBar*>();
    return QTest::qWaitFor(
               [&] { return window && bar->maximum() == planBlocks && bar->value() >= blocks; },
               20000) &&
           view->transfer()->isRunning();
}

void ClickCell(CMSFlexGrid* grid, int row, int col) {
    const QPoint centre = grid->visualItemRect(grid->item(row - 1, col - 1)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centre);
}

// The window program on a simulated radio paced at 9600 baud.
struct SlowRadioProgram {
    PromptRecorder prompts;
    ConfigDir config{DefaultIniText()};
    SimulatorProcess simulator{RadioWithOneChannel(), {"--baud", "9600"}};
    std::unique_ptr<CProgramApp> app;
    CMainFrame* frame = nullptr;
    CProgramView* view = nullptr;

    bool start() {
        if (!simulator.isReady())
            return false;
        app = StartProgram(config, {"--port", simulator.linkPath()});
        frame = app->mainFrame();
        frame->activateWindow();
        view = qobject_cast<CProgramView*>(frame->activeView());
        return QTest::qWaitForWindowActive(frame) && view;
    }
};

} // namespace

void AppRadioTest::closingDuringATransferAsks_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("question");
    QTest::newRow("write") << int(CommandId::kWrite)
                           << "A write to the radio is running; closing now leaves the radio "
                              "half written";
    QTest::newRow("read") << int(CommandId::kRead)
                          << "A read from the radio is running; closing now cancels it";
}

// No keeps the exchange and the window; Yes cancels the exchange at its next cancel point
// and closes the window once it has ended.
void AppRadioTest::closingDuringATransferAsks() {
    QFETCH(int, command);
    QFETCH(QString, question);
    SlowRadioProgram program;
    QVERIFY(program.start());
    CMainFrame* frame = program.frame;
    TransferController* transfer = program.view->transfer();
    if (command == CommandId::kWrite)
        WhenModal<WritePreviewDlg>([](WritePreviewDlg* preview) { preview->writeButton()->click(); });
    QVERIFY(StartTransfer(frame, program.view, command, 8));

    program.prompts.answerNext(QMessageBox::No);
    QVERIFY(!frame->close());
    QCOMPARE(program.prompts.asked.size(), 1);
    QVERIFY2(program.prompts.asked[0].text.startsWith(question),
             qPrintable(program.prompts.asked[0].text));
    QVERIFY(transfer->isRunning());

    bool shownWhenTheExchangeEnded = false;
    connect(transfer, &TransferController::finished, frame,
            [&] { shownWhenTheExchangeEnded = frame->isVisible(); });
    program.prompts.answerNext(QMessageBox::Yes);
    QVERIFY(!frame->close());
    QVERIFY(QTest::qWaitFor([&] { return !frame->isVisible(); }, 10000));
    QVERIFY(shownWhenTheExchangeEnded);
    QCOMPARE(program.prompts.asked.size(), 2);
    QVERIFY(program.simulator.stop());
    // The exchange stopped part way: a write reached some blocks, a read changed nothing.
    const QByteArray memory = program.simulator.savedMemory();
    QCOMPARE(memory == ImageBytes(RadioWithOneChannel()), command == CommandId::kRead);
}

// While a read runs, the grid opens no editor, a paste and Undo change nothing, and the
// status bar says why; the read then brings the radio's image.
void AppRadioTest::documentStaysAsTheReadFoundIt() {
    SlowRadioProgram program;
    QVERIFY(program.start());
    CProgramView* view = program.view;
    CProgramDoc* doc = program.frame->activeDocument();
    ClickCell(view->grid(), 3, kColRxFrequency);
    QTest::keyClicks(view->openEditor(), "146.52");
    QTest::keyClick(view->openEditor(), Qt::Key_Return);
    QVERIFY(doc->canUndo());
    QGuiApplication::clipboard()->setText(
        ChannelClipboardText(RadioWithOneChannel(), {1}, Language::English));
    QVERIFY(StartTransfer(program.frame, view, CommandId::kRead, 8));
    const RadioImage before = doc->image();

    ClickCell(view->grid(), 2, kColRxFrequency);
    QVERIFY(!view->openEditor());
    QTest::keyClicks(view->grid(), "145.5");
    QVERIFY(!view->openEditor());
    QCOMPARE(program.frame->statusBar()->currentMessage(),
             QString("The radio is being read or written: the channels cannot be changed until "
                     "it ends."));
    QTest::keyClick(view->grid(), Qt::Key_V, Qt::ControlModifier);
    program.frame->commandAction(CommandId::kEditUndo)->trigger();
    QVERIFY(doc->image() == before);

    QSignalSpy finished(view->transfer(), &TransferController::finished);
    QVERIFY(finished.wait(20000));
    QVERIFY(doc->image() == RadioWithOneChannel());
    QCOMPARE(doc->undoLabel(), QString("Read from radio"));
    QVERIFY(program.prompts.asked.isEmpty());
}

void AppRadioTest::readEditWriteAgainstTheSimulator() {
    PromptRecorder prompts;
    ConfigDir config(DefaultIniText());
    const RadioImage radio = RadioWithOneChannel();
    SimulatorProcess simulator(radio);
    QVERIFY(simulator.isReady());

    auto app = StartProgram(config, {"--port", simulator.linkPath()});
    CMainFrame* frame = app->mainFrame();
    frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frame));
    auto* view = qobject_cast<CProgramView*>(frame->activeView());
    CProgramDoc* doc = frame->activeDocument();
    const RadioImage before = doc->image();

    // Read: the radio's channel shows, and the data now has unsaved changes.
    QVERIFY(Transfer(frame, view, CommandId::kRead));
    QCOMPARE(view->grid()->TextMatrix(1, kColRxFrequency), QString("146.52000"));
    QCOMPARE(view->grid()->TextMatrix(1, kColDecodeTone), QString("67.0"));
    QVERIFY(doc->image() == radio);
    QVERIFY(doc->isModified());

    // The read is one step of the history.
    QCOMPARE(frame->commandAction(CommandId::kEditUndo)->statusTip(),
             QString("Undo Read from radio"));
    frame->commandAction(CommandId::kEditUndo)->trigger();
    QVERIFY(doc->image() == before);
    QCOMPARE(view->grid()->TextMatrix(1, kColRxFrequency), QString());
    QVERIFY(!doc->isModified());
    frame->commandAction(CommandId::kEditRedo)->trigger();
    QVERIFY(doc->image() == radio);

    // Edit channel 2 with the keyboard, then write.
    view->grid()->SetRow(2);
    view->grid()->SetCol(kColRxFrequency);
    QWidget* editor = view->openEditor();
    QVERIFY(editor);
    QTest::keyClicks(editor, "145.5875");
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(view->grid()->TextMatrix(2, kColTxFrequency), QString("145.58750"));
    WhenModal<WritePreviewDlg>([](WritePreviewDlg* preview) { preview->writeButton()->click(); });
    QVERIFY(Transfer(frame, view, CommandId::kWrite));

    // The radio holds the new channel; what a normal write leaves out stays its own.
    QVERIFY(simulator.stop());
    const QByteArray memory = simulator.savedMemory();
    QCOMPARE(memory.size(), 1024);
    QCOMPARE(memory.mid(ImageMap::channelRecord(2), 8), QByteArray::fromHex("5087551450875514"));
    QCOMPARE(quint8(memory[0x3F8]), quint8(0x77));
    QCOMPARE(
        memory.mid(ImageMap::channelRecord(1), 16),
        QByteArray(reinterpret_cast<const char*>(radio.data()) + ImageMap::channelRecord(1), 16));
    QVERIFY(prompts.asked.isEmpty());
}

TEST_CLASS(AppRadioTest)
#include "tst_app_radio.moc"
