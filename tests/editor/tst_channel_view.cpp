// The channel view driven the way a user drives it: clicks on cells (a first click on a
// cell partly in view too), typed text, Enter, scrolling, F1, printing.
#include "tests/editor/ChannelScreen.h"
#include "editor/ChannelPrinter.h"
#include "ui/HelpHook.h"
#include "tests/support/Modal.h"
#include "tests/support/TestSuite.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPdfWriter>
#include <QProcess>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTest>

namespace {

const QStringList kEnglishDefaults{"None", "None", "High", "No", "Off", "Wide", "No"};

bool FullyInView(CMSFlexGrid& grid, int row, int col) {
    const QRect cell = grid.visualItemRect(grid.item(row - 1, col - 1));
    return grid.viewport()->rect().contains(cell);
}

} // namespace

class ChannelViewTest : public QObject {
    Q_OBJECT
private slots:
    void init() { m_run.reset(); }
    void typedReceiveFrequencies();
    void listsOnEmptyAndProgrammedRows();
    void scrollingDropsTheOpenEditor();
    void firstClickOnAPartlyVisibleCell_data();
    void firstClickOnAPartlyVisibleCell();
    void helpAtTheFocusedControl();
    void chineseListsAndHeaders();
    void printsTheProgrammedChannels();

private:
    EditorRun m_run;
};

void ChannelViewTest::typedReceiveFrequencies() {
    ChannelScreen s;
    s.program(1, "146.52");
    QCOMPARE(s.cell(1, 1), QString("146.52000"));
    QCOMPARE(s.cell(1, 2), QString("146.52000"));
    QCOMPARE(s.settings(1), kEnglishDefaults);
    QVERIFY(s.doc.isModified());
    // Enter moved on to the transmit cell and opened its editor with the cell's text.
    QCOMPARE(s.current(), QString("1,2"));
    auto* txEdit = qobject_cast<QLineEdit*>(s.view.openEditor());
    QVERIFY(txEdit);
    QCOMPARE(txEdit->text(), QString("146.52000"));

    s.program(4, "160"); // the band's upper edge, from the product the view chose
    QCOMPARE(s.cell(4, 1), QString("160.00000"));
    QCOMPARE(s.messages, QStringList());

    // A refusal keeps the current cell and closes the editor.
    s.program(3, "146.514");
    QCOMPARE(s.current(), QString("3,1"));
    QVERIFY(!s.view.openEditor());

    // Enter in the last column moves to the next row's first, from the last row to the
    // first; Enter on the grid itself, with no editor open, moves on as well.
    s.program(3, "146.52");
    s.grid().SetCol(9);
    s.enter();
    QCOMPARE(s.current(), QString("4,1"));
    QCOMPARE(s.view.openEditor(), s.view.cellEditor(1));
    s.grid().SetRow(16);
    s.grid().SetCol(9);
    s.enter();
    QCOMPARE(s.current(), QString("1,1"));
    s.view.HideCellEditors();
    QVERIFY(s.grid().hasFocus());
    s.enter();
    QCOMPARE(s.current(), QString("1,2"));

    // The real caution box, its caption and text.
    s.prompts.setHandlers({});
    SeenMessage seen;
    AnswerNextMessage(&seen);
    s.program(5, "99");
    QCOMPARE(seen.caption, QString("Caution"));
    QCOMPARE(seen.text, QString("Out of range,please input again."));
}

void ChannelViewTest::listsOnEmptyAndProgrammedRows() {
    ChannelScreen s;
    // On a programmed channel the chosen item goes into the cell, and the list opens
    // on the item the cell names.
    s.program(2, "146.52");
    s.click(2, kColPower);
    s.type("L"); // a typed letter selects; Up and Down move to the next channel instead
    s.enter();
    QCOMPARE(s.cell(2, kColPower), QString("Low"));
    s.click(2, kColDecodeTone);
    auto* tones = qobject_cast<QComboBox*>(s.view.openEditor());
    QCOMPARE(tones->currentText(), QString("None"));
    tones->setCurrentIndex(tones->findText("D023N"));
    s.enter();
    QCOMPARE(s.cell(2, kColDecodeTone), QString("D023N"));
    s.click(2, kColPower);
    QCOMPARE(qobject_cast<QComboBox*>(s.view.openEditor())->currentText(), QString("Low"));
}

void ChannelViewTest::scrollingDropsTheOpenEditor() {
    ChannelScreen s;
    s.view.resize(500, 200);
    QTest::qWait(10);
    QVERIFY(s.grid().verticalScrollBar()->maximum() > 0);
    s.click(1, 1);
    s.type("150");
    QVERIFY(s.view.openEditor());
    s.grid().verticalScrollBar()->setValue(2);
    QVERIFY(!s.view.openEditor());
    QVERIFY(s.grid().hasFocus());
    // Leaving the cell later commits nothing: the typed text is gone.
    s.grid().SetRow(2);
    QCOMPARE(s.cell(1, 1), QString());
    QCOMPARE(s.messages, QStringList());
    QVERIFY(!s.doc.isModified());
}

void ChannelViewTest::firstClickOnAPartlyVisibleCell_data() {
    QTest::addColumn<int>("col");
    QTest::newRow("frequency edit box") << int(kColRxFrequency);
    QTest::newRow("tone list") << int(kColDecodeTone);
    QTest::newRow("last column list") << int(kColCompand);
}

// One click on a channel cell that is only partly in view brings the cell into view
// and opens its editor over it, and the editor stays open.
void ChannelViewTest::firstClickOnAPartlyVisibleCell() {
    QFETCH(int, col);
    const int usual = QApplication::doubleClickInterval(); // Qt's delayed scroll waits this long
    QApplication::setDoubleClickInterval(100);
    const auto restore = qScopeGuard([usual] { QApplication::setDoubleClickInterval(usual); });
    CProgramDoc doc;
    CProgramView view(&doc, ChannelViewRun::Of(startupConfig()));
    view.OnInitialUpdate();
    view.resize(420, 190); // rows and columns beyond the right and bottom edges
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    CMSFlexGrid& grid = *view.grid();

    // The first row cut by the bottom edge, clicked in its visible part (a column
    // beyond the right edge is scrolled into view first).
    grid.scrollTo(grid.model()->index(0, col - 1));
    const int height = grid.viewport()->height();
    int row = 1;
    while (row < grid.Rows() - 1 && grid.rowViewportPosition(row) < height)
        ++row;
    QVERIFY(!FullyInView(grid, row, col));
    const QRect cut = grid.visualItemRect(grid.item(row - 1, col - 1)) & grid.viewport()->rect();
    QVERIFY(!cut.isEmpty());
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cut.topLeft() + QPoint(2, 2));

    QCOMPARE(QStringLiteral("%1,%2").arg(grid.Row()).arg(grid.Col()),
             QStringLiteral("%1,%2").arg(row).arg(col));
    QVERIFY(FullyInView(grid, row, col));
    QVERIFY(view.openEditor());
    // Qt's own delayed scroll after a click comes after the double-click time.
    QTest::qWait(QApplication::doubleClickInterval() + 200);
    QVERIFY(view.openEditor());
    QVERIFY(view.openEditor()->isVisible());
    QVERIFY(FullyInView(grid, row, col));
    const QRect cell = grid.visualItemRect(grid.item(row - 1, col - 1));
    const QRect editor(grid.viewport()->mapFrom(&grid, view.openEditor()->pos()),
                       view.openEditor()->size());
    QVERIFY2(cell.adjusted(-2, -2, 2, 2).contains(editor.center()),
             "the editor is not over the clicked cell");
}

void ChannelViewTest::helpAtTheFocusedControl() {
    ChannelScreen s;
    QList<int> topics;
    s.view.setHelpHandler([&](int id) { topics << id; });
    s.grid().setFocus();
    QTest::keyClick(&s.grid(), Qt::Key_F1);
    s.click(1, 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    s.click(1, kColCompand);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    QCOMPARE(topics, QList<int>({1000, 2127, 2134}));
}

void ChannelViewTest::chineseListsAndHeaders() {
    StartupConfig& config = StartupConfigForTests();
    config.chineseLanguage = true;
    config.languageName = "Chinese";
    ChannelScreen s;
    QCOMPARE(s.cell(0, kColBandwidth), QString::fromUtf8("帶寬"));
    auto* busy = qobject_cast<QComboBox*>(s.view.cellEditor(kColBusyLock));
    QCOMPARE(busy->itemText(1), QString::fromUtf8("載波"));
    s.program(1, "146.52");
    QCOMPARE(s.settings(1), QString::fromUtf8("無 無 高 無 關 寬 否").split(' '));
}

void ChannelViewTest::printsTheProgrammedChannels() {
    ChannelScreen s;
    s.program(1, "146.52");
    s.program(2, "152.3");
    s.program(9, "159.9875");
    ChannelPrintout out = s.view.printout();
    QCOMPARE(out.rows.size(), 3); // empty channels are left out

    // A long table runs onto further pages, each with its own headings and number.
    for (int i = 0; i < 80; ++i)
        out.rows << out.rows[0];
    const QString pdf = m_run.dir.filePath("channels.pdf");
    int pages = 0;
    {
        QPdfWriter writer(pdf);
        pages = PrintChannelTable(writer, out);
    }
    QVERIFY(pages > 1);
    QProcess text;
    text.start("pdftotext", {"-layout", pdf, "-"});
    QVERIFY(text.waitForFinished());
    const QString printed = QString::fromUtf8(text.readAllStandardOutput());
    QCOMPARE(printed.count("Rx Frequency"), pages);
    QCOMPARE(printed.count("146.52000"), 2 * 81); // receive and transmit
    for (const char* expected : {"152.30000", "159.98750", "Compand", "QZ-417", "130 - 160MHz"})
        QVERIFY2(printed.contains(expected), expected);
    QVERIFY(QString(printed).remove(' ').contains(QStringLiteral("1/%1").arg(pages)));
}

TEST_CLASS(ChannelViewTest)
#include "tst_channel_view.moc"
