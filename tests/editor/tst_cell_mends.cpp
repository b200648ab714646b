// Cell editing never loses a channel: a refused frequency puts the previous text back,
// a cell left unchanged is not checked or written again, and Escape drops what was
// typed. Driven with real clicks and keys.
#include "AppConfig.h"
#include "CMSFlexGrid.h"
#include "ChannelScreen.h"
#include "CProgramView.h"
#include "ChannelCodec.h"
#include "ProgramDoc.h"
#include "ProgramFixture.h"
#include "TestSuite.h"
#include "UserStore.h"

#include <QApplication>
#include <QTest>

namespace {

const QString kIni = QStringLiteral("[Setup]\nAppName=MendTest\nType1=QZ-417\nField1=130 - 160MHz\n"
                                    "[English]\nAppName=Radio\n");
const QString kOutOfRange = "Caution: Out of range,please input again.";
const QString kOffStep =
    "Caution: Error data Value, please input according the step value(6.25K/5k).";

using Screen = ChannelScreen;

} // namespace

class CellMendsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void refusedReceiveFrequencyKeepsTheChannel_data();
    void refusedReceiveFrequencyKeepsTheChannel();
    void refusedTransmitFrequencyPutsBackItsText();
    void unchangedCellsAreNotWrittenAgain();
    void escapeDropsTheTypedText_data();
    void escapeDropsTheTypedText();

private:
    ConfigDir m_dir{kIni};
};

void CellMendsTest::initTestCase() {
    appConfig().iniFilePath = m_dir.iniPath();
    appConfig().programDirectory = m_dir.path() + '/';
}

void CellMendsTest::init() {
    UserStore store(appConfig().iniFilePath);
    store.writeNumber("Type", 0);
    store.writeNumber("Field", 0);
    appConfig().chineseLanguage = false;
    appConfig().languageName = "English";
    appConfig().documentIsNew = true;
}

void CellMendsTest::refusedReceiveFrequencyKeepsTheChannel_data() {
    QTest::addColumn<QString>("programmed"); // empty: the row starts empty
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::newRow("programmed, out of band") << "146.52"
                                             << "180" << kOutOfRange;
    QTest::newRow("programmed, off step") << "146.52"
                                          << "146.5033" << kOffStep;
    QTest::newRow("empty, out of band") << ""
                                        << "180" << kOutOfRange;
}

void CellMendsTest::refusedReceiveFrequencyKeepsTheChannel() {
    QFETCH(QString, programmed);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    Screen s;
    if (!programmed.isEmpty())
        s.enterIn(3, kColRxFrequency, programmed);
    const RadioImage before = s.doc.image();
    const QString shownBefore = s.cell(3, kColRxFrequency);

    s.enterIn(3, kColRxFrequency, typed);
    QCOMPARE(s.messages, QStringList{message});
    QCOMPARE(s.cell(3, kColRxFrequency), shownBefore);
    QVERIFY(s.doc.image() == before);
}

void CellMendsTest::refusedTransmitFrequencyPutsBackItsText() {
    Screen s;
    s.enterIn(2, kColRxFrequency, "147.5");
    const RadioImage before = s.doc.image();
    // Enter moved on to the transmit cell and opened its editor.
    s.type("180");
    s.key(Qt::Key_Return);
    QCOMPARE(s.messages, QStringList{kOutOfRange});
    QCOMPARE(s.cell(2, kColTxFrequency), QString("147.50000"));
    QVERIFY(s.doc.image() == before);
    // What the row shows is what the document holds.
    QCOMPARE(DecodeChannels(s.doc.image(), Language::English)[1][kColTxFrequency],
             s.cell(2, kColTxFrequency));
}

// A channel of another band, with a tone the list does not offer, walked through with
// Enter from its first cell to its last.
void CellMendsTest::unchangedCellsAreNotWrittenAgain() {
    Screen s;
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

void CellMendsTest::escapeDropsTheTypedText_data() {
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("typed");
    QTest::newRow("frequency") << int(kColRxFrequency) << "150";
    QTest::newRow("list") << int(kColPower) << "L";
}

void CellMendsTest::escapeDropsTheTypedText() {
    QFETCH(int, col);
    QFETCH(QString, typed);
    Screen s;
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

TEST_CLASS(CellMendsTest)
#include "tst_cell_mends.moc"
