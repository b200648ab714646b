// Cell editing never loses a channel: a refused frequency puts the previous text back,
// a cell left unchanged is not checked or written again, and Escape drops what was
// typed. Driven with real clicks and keys.
#include "tests/editor/ChannelScreen.h"
#include "tests/support/TestSuite.h"

namespace {

const QString kOutOfRange = "Caution: Out of range,please input again.";
const QString kOffStep =
    "Caution: Error data Value, please input according the step value(6.25K/5k).";

} // namespace

class CellEditorsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { m_run.reset(); }
    void refusedFrequencyKeepsTheChannel_data();
    void refusedFrequencyKeepsTheChannel();
    void unchangedCellsAreNotWrittenAgain();
    void escapeDropsTheTypedText_data();
    void escapeDropsTheTypedText();
    void arrowsWalkAListColumnWithoutWriting_data();
    void arrowsWalkAListColumnWithoutWriting();

private:
    EditorRun m_run;
};

void CellEditorsTest::refusedFrequencyKeepsTheChannel_data() {
    QTest::addColumn<QString>("programmed"); // empty: the row starts empty
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    const int rx = kColRxFrequency;
    QTest::newRow("programmed, out of band") << "146.52" << rx << "180" << kOutOfRange;
    QTest::newRow("programmed, off step") << "146.52" << rx << "146.5033" << kOffStep;
    QTest::newRow("empty, out of band") << "" << rx << "180" << kOutOfRange;
    QTest::newRow("transmit, out of band") << "147.5" << int(kColTxFrequency) << "180" << kOutOfRange;
}

// The row shows what it showed and the document holds what it held.
void CellEditorsTest::refusedFrequencyKeepsTheChannel() {
    QFETCH(QString, programmed);
    QFETCH(int, col);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    ChannelScreen s;
    if (!programmed.isEmpty()) {
        s.program(3, programmed);
        s.key(Qt::Key_Escape); // closes the transmit cell's editor that Enter opened
    }
    const RadioImage before = s.doc.image();
    const QString shownBefore = s.cell(3, col);

    s.enterIn(3, col, typed);
    QCOMPARE(s.messages, QStringList{message});
    QCOMPARE(s.cell(3, col), shownBefore);
    QVERIFY(s.doc.image() == before);
}

// A channel of another band, with a tone the list does not offer, walked through with
// Enter from its first cell to its last.
void CellEditorsTest::unchangedCellsAreNotWrittenAgain() {
    ChannelScreen s;
    s.doc.edit(QStringLiteral("setup"), [](RadioImage& image) {
        ChannelTable table = DecodeChannels(image, Language::English);
        table[0] = {" 1", "466.0", "466.0", "D000N", "None", "High", "No", "Off", "Wide", "No"};
        EncodeChannelRow(table[0], 1, image);
    });
    QCOMPARE(s.cell(1, kColRxFrequency), QString("466.00000"));
    const RadioImage before = s.doc.image();
    const QString shownTone = s.cell(1, kColDecodeTone);

    s.click(1, kColRxFrequency);
    for (int col = kColRxFrequency; col < kChannelColumns; ++col)
        s.key(Qt::Key_Return);
    QCOMPARE(s.messages, QStringList());
    QVERIFY(s.doc.image() == before);
    QCOMPARE(s.cell(1, kColDecodeTone), shownTone);
    QCOMPARE(s.doc.undoLabel(), QStringLiteral("setup"));
}

void CellEditorsTest::escapeDropsTheTypedText_data() {
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("typed");
    QTest::newRow("frequency") << int(kColRxFrequency) << "150";
    QTest::newRow("list") << int(kColPower) << "L";
}

void CellEditorsTest::escapeDropsTheTypedText() {
    QFETCH(int, col);
    QFETCH(QString, typed);
    ChannelScreen s;
    s.enterIn(4, kColRxFrequency, "146.52");
    const RadioImage before = s.doc.image();
    const QString shown = s.cell(4, col);
    s.click(4, col);
    s.type(typed);
    s.key(Qt::Key_Escape);
    QVERIFY(!s.view.openEditor());
    QCOMPARE(s.cell(4, col), shown);
    // Moving on afterwards commits nothing either.
    s.click(5, col);
    QVERIFY(s.doc.image() == before);
    QCOMPARE(s.messages, QStringList());
}

void CellEditorsTest::arrowsWalkAListColumnWithoutWriting_data() {
    QTest::addColumn<int>("col");
    for (int col = kColDecodeTone; col < kChannelColumns; ++col)
        QTest::addRow("column %d", col) << col;
}

// Up and Down move between channels as in a frequency column; the list keeps its item.
void CellEditorsTest::arrowsWalkAListColumnWithoutWriting() {
    QFETCH(int, col);
    ChannelScreen s;
    for (int row = 1; row <= 4; ++row)
        s.program(row, "146.52");
    const RadioImage before = s.doc.image();
    s.click(1, col);
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up})
        s.key(key);
    QCOMPARE(s.current(), QStringLiteral("3,%1").arg(col));
    s.click(5, kColRxFrequency);
    QVERIFY(s.doc.image() == before);
    QCOMPARE(s.messages, QStringList());
}

TEST_CLASS(CellEditorsTest)
#include "tst_cell_editors.moc"
