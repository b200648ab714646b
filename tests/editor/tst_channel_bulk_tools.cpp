// The grid's tools for many channels, through the view's commands: each is one step of
// the history that one undo takes back exactly, a refusal on any channel changes nothing
// and names that channel, and the keys, clicks and dialog reach them. Which bits each
// tool may change is EditingDoorsTest's.
#include "editor/ChannelBulkTools.h"
#include "editor/ChannelEditActions.h"
#include "tests/editor/ChannelScreen.h"
#include "tests/support/Modal.h"
#include "tests/support/TestSuite.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

namespace {

struct Screen : ChannelScreen {
    ChannelBulkTools& tools() { return *view.bulkTools(); }
    void selectChannels(int from, int to) { view.editActions()->selectChannels(from, to); }
    // Channels 2, 3 and 5 programmed out of frequency order, with settings of their own;
    // only channel 2 is not simplex.
    void programThree() {
        program(2, "150"); // Enter moved on to its transmit frequency
        type("151");
        enter();
        program(3, "146.52");
        enterIn(3, kColPower, "L");
        program(5, "140");
        enterIn(5, kColBandwidth, "N");
    }
    // The texts of `col` on channels 1..6.
    QString column(int col) {
        QStringList texts;
        for (int row = 1; row <= 6; ++row)
            texts << (cell(row, col).isEmpty() ? QStringLiteral("-") : cell(row, col));
        return texts.join(u' ');
    }
};

using Tool = std::function<bool(Screen&)>;

} // namespace

Q_DECLARE_METATYPE(Tool)

class ChannelBulkToolsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { m_run.reset(); }

    void eachToolIsOneStep_data() {
        QTest::addColumn<Tool>("tool");
        QTest::addColumn<int>("column"); // the column shown after
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("label");
        QTest::newRow("set for selection, rows") << Tool([](Screen& s) {
            s.selectChannels(2, 5);
            return s.tools().setForSelection(kColPower, "Low");
        }) << int(kColPower) << "- Low Low - Low -" << "Set 4 channels";
        QTest::newRow("set for selection, a block of cells") << Tool([](Screen& s) {
            s.tools().selectCells(kColBandwidth, 2, 3);
            return s.tools().setForSelection(kColBandwidth, QString::fromUtf8("窄"));
        }) << int(kColBandwidth) << "- Narrow Narrow - Narrow -" << "Set 2 channels";
        QTest::newRow("fill down, a block") << Tool([](Screen& s) {
            s.tools().selectCells(kColPower, 3, 5);
            return s.tools().fillDown();
        }) << int(kColPower) << "- High Low - Low -" << "Fill down 2 channels";
        QTest::newRow("fill down, rows in the current column") << Tool([](Screen& s) {
            s.click(2, kColRxFrequency);
            s.selectChannels(2, 3);
            return s.tools().fillDown();
        }) << int(kColRxFrequency) << "- 150.00000 150.00000 - 140.00000 -" << "Fill down 1 channel";
        // Channel 3's transmit frequency equals its receive one and follows it; empty
        // channel 4 becomes a new simplex channel.
        QTest::newRow("frequency series") << Tool([](Screen& s) {
            s.selectChannels(2, 4);
            return s.tools().frequencySeries("145.00625", "6.25");
        }) << int(kColTxFrequency) << "- 151.00000 145.01250 145.01875 140.00000 -"
           << "Frequency Series";
        QTest::newRow("sort, all when one row is selected") << Tool([](Screen& s) {
            s.selectChannels(3, 3);
            return s.tools().sortByFrequency();
        }) << int(kColRxFrequency) << "140.00000 146.52000 150.00000 - - -" << "Sort by Frequency";
        QTest::newRow("sort, the selected rows") << Tool([](Screen& s) {
            s.selectChannels(3, 6);
            return s.tools().sortByFrequency();
        }) << int(kColRxFrequency) << "- 150.00000 140.00000 146.52000 - -" << "Sort by Frequency";
        QTest::newRow("compact") << Tool([](Screen& s) {
            s.selectChannels(1, 1);
            return s.tools().compact();
        }) << int(kColRxFrequency) << "150.00000 146.52000 140.00000 - - -" << "Compact";
    }
    void eachToolIsOneStep() {
        QFETCH(Tool, tool);
        QFETCH(int, column);
        QFETCH(QString, shown);
        QFETCH(QString, label);
        Screen s;
        s.programThree();
        const RadioImage before = s.doc.image();
        QVERIFY(tool(s));
        QCOMPARE(s.column(column), shown);
        QCOMPARE(s.doc.undoLabel(), label);
        QVERIFY(s.doc.undo());
        QCOMPARE(s.doc.image(), before);
        QVERIFY(s.messages.isEmpty());
    }

    void refusalsChangeNothing_data() {
        QTest::addColumn<Tool>("tool");
        QTest::addColumn<QString>("said");
        QTest::newRow("series leaves the band on channel 4") << Tool([](Screen& s) {
            s.selectChannels(2, 5);
            return s.tools().frequencySeries("159.9875", "12.5");
        }) << "Caution: Channel 4, Rx Frequency: Out of range,please input again.";
        QTest::newRow("off the channel step") << Tool([](Screen& s) {
            s.selectChannels(1, 3);
            return s.tools().setForSelection(kColTxFrequency, "146.514");
        }) << "Caution: Channel 1, Tx Frequency: Error data Value, please input according the "
              "step value(6.25K/5k).";
        QTest::newRow("no step") << Tool([](Screen& s) {
            s.selectChannels(2, 3);
            return s.tools().frequencySeries("146", "0");
        }) << "Caution: The step must be a number of kHz above 0.";
        QTest::newRow("fill down from an empty cell") << Tool([](Screen& s) {
            s.tools().selectCells(kColPower, 1, 3);
            return s.tools().fillDown();
        }) << "";
    }
    void refusalsChangeNothing() {
        QFETCH(Tool, tool);
        QFETCH(QString, said);
        Screen s;
        s.programThree();
        const RadioImage before = s.doc.image();
        const QString lastStep = s.doc.undoLabel();
        QVERIFY(!tool(s));
        QCOMPARE(s.doc.image(), before);
        QCOMPARE(s.doc.undoLabel(), lastStep);
        QCOMPARE(s.messages, said.isEmpty() ? QStringList() : QStringList{said});
    }

    void findDuplicatesSelectsThem() {
        Screen s;
        s.programThree();
        QCOMPARE(s.tools().findDuplicates(), 0);
        s.program(6, "146.52"); // channel 3's frequency and tones, other settings
        QCOMPARE(s.tools().findDuplicates(), 2);
        QCOMPARE(s.view.editActions()->selectedChannels(), std::vector<int>({3, 6}));
    }

    // Shift+click and Shift+Down make a block of one column; Ctrl+D fills it.
    void clicksAndKeysReachTheTools() {
        Screen s;
        s.programThree();
        s.click(2, kColPower);
        const QPoint third = s.grid().visualItemRect(s.grid().item(2, kColPower - 1)).center();
        QTest::mouseClick(s.grid().viewport(), Qt::LeftButton, Qt::ShiftModifier, third);
        QTest::keyClick(&s.grid(), Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(&s.grid(), Qt::Key_Down, Qt::ShiftModifier);
        const BulkSelection block = s.tools().selection();
        QCOMPARE(block.column, int(kColPower));
        QCOMPARE(block.channels, std::vector<int>({2, 3, 4, 5}));
        QTest::keyClick(&s.grid(), Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(s.column(kColPower), QString("- High High - High -"));
        QCOMPARE(s.doc.undoLabel(), QString("Fill down 3 channels"));
    }

    // The dialog offers the list of the chosen column and stores what OK confirms.
    void setForSelectionDialog() {
        Screen s;
        s.programThree();
        s.selectChannels(2, 3);
        QStringList offered;
        WhenModal<QDialog>([&](QDialog* dialog) {
            auto* column = dialog->findChild<QComboBox*>("column");
            auto* value = dialog->findChild<QComboBox*>("value");
            column->setCurrentIndex(kColBusyLock - kColRxFrequency);
            for (int i = 0; i < value->count(); ++i)
                offered << value->itemText(i);
            value->setCurrentIndex(1);
            dialog->accept();
        });
        s.view.runChannelTool(ChannelTool::SetForSelection);
        QCOMPARE(offered, QStringList({"Off", "Carrier", "QT/DQT"}));
        QCOMPARE(s.column(kColBusyLock), QString("- Carrier Carrier - Off -"));
    }

private:
    EditorRun m_run;
};

TEST_CLASS(ChannelBulkToolsTest)
#include "tst_channel_bulk_tools.moc"
