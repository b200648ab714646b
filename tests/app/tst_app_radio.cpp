// The window program against the simulated radio: read the radio, edit a channel,
// write it back, and find the edit in the radio's memory.
#include "ui/CMSFlexGrid.h"
#include "ui/CProcessDlg.h"
#include "editor/CProgramView.h"
#include "radio/ChannelCodec.h"
#include "ui/CommandIds.h"
#include "app/MainFrame.h"
#include "document/ProgramDoc.h"
#include "tests/support/ProgramFixture.h"
#include "ui/ProgramTransfer.h"
#include "radio/RadioImage.h"
#include "tests/support/SimulatorProcess.h"
#include "tests/support/TestSuite.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

class AppRadioTest : public QObject {
    Q_OBJECT
private slots:
    void readEditWriteAgainstTheSimulator();
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
    QSignalSpy finished(view->transfer(), &ProgramTransfer::finished);
    frame->commandAction(commandId)->trigger();
    CProcessDlg* window = view->transfer()->progressWindow();
    if (!window)
        return false;
    window->findChild<QPushButton*>()->click(); // OK
    return finished.wait(30000) && finished.first().first().toBool();
}

} // namespace

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
