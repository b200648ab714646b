// The grid widget on its own: the order of its cell events, which its owners rely on
// to store a cell before the next one opens, and the place of an in-place editor.
#include "ui/CMSFlexGrid.h"
#include "ui/CellEditorOverlay.h"
#include "tests/support/TestSuite.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

namespace {

// Records each event with the current cell as the grid reports it at that moment.
struct EventLog {
    QStringList entries;
    void attach(CMSFlexGrid& grid) {
        QObject::connect(&grid, &CMSFlexGrid::LeaveCell, [&] { add("leave", grid); });
        QObject::connect(&grid, &CMSFlexGrid::EnterCell, [&] { add("enter", grid); });
        QObject::connect(&grid, &CMSFlexGrid::Scroll, [&] { add("scroll", grid); });
        QObject::connect(&grid, &CMSFlexGrid::MouseDown, [&](int button) {
            add(button == 1 ? "left down" : "other down", grid);
        });
    }
    void add(const char* what, const CMSFlexGrid& grid) {
        entries << QStringLiteral("%1 %2,%3").arg(what).arg(grid.Row()).arg(grid.Col());
    }
    QStringList take() { return std::exchange(entries, {}); }
};

} // namespace

class FlexGridTest : public QObject {
    Q_OBJECT
private slots:
    void setCurrentCell();
    void mouseKeysAndScrolling();
    void editorCoversTheCellAsDrawn_data();
    void editorCoversTheCellAsDrawn();
};

// Leave comes before the move, Enter after it; the same cell, a fixed cell, a cell
// outside the table and shrinking the table raise nothing. A cell's mark stays through a
// new text.
void FlexGridTest::setCurrentCell() {
    CMSFlexGrid grid;
    grid.SetRows(17);
    grid.SetCols(10);
    grid.SetTextMatrix(0, 3, "QT/DQT Dec"); // row 0 is the column headings
    QCOMPARE(grid.horizontalHeaderItem(2)->text(), QString("QT/DQT Dec"));
    grid.SetForeColorFixed(0xF03200); // colours come as 0xBBGGRR, as the owners give them
    QCOMPARE(grid.horizontalHeaderItem(1)->foreground().color(), QColor(0x00, 0x32, 0xF0));
    EventLog log;
    log.attach(grid);

    grid.SetCol(3);
    grid.SetRow(2);
    QCOMPARE(log.take(), QStringList({"leave 1,1", "enter 1,3", "leave 1,3", "enter 2,3"}));
    grid.SetText("146.52000"); // the current cell
    QCOMPARE(grid.TextMatrix(2, 3), QString("146.52000"));
    grid.SetCellMark(2, 3, Qt::red, "outside the band");
    grid.SetText("146.53000"); // a new text keeps the mark
    QCOMPARE(grid.CellMarkTip(2, 3), QString("outside the band"));
    grid.ClearCellMarks();
    QVERIFY(!grid.CellMarkColor(2, 3).isValid());
    for (const auto& [row, col] : {std::pair{2, 3}, {2, 0}, {0, 3}, {17, 3}, {2, 10}}) {
        grid.SetRow(row);
        grid.SetCol(col);
    }
    QCOMPARE(log.take(), QStringList());
    QCOMPARE(QStringLiteral("%1,%2").arg(grid.Row()).arg(grid.Col()), QString("2,3"));
    grid.SetRows(2);
    grid.SetCols(3);
    QCOMPARE(QStringLiteral("%1,%2").arg(grid.Row()).arg(grid.Col()), QString("1,2"));
    QCOMPARE(log.take(), QStringList());
}

// A click moves the current cell before MouseDown; a click on a fixed cell does not
// move it; arrow keys move it with the same events; a move out of view scrolls
// between Leave and Enter, so the owner has left the old cell before the table moves.
void FlexGridTest::mouseKeysAndScrolling() {
    CMSFlexGrid grid;
    grid.SetRows(40);
    grid.SetCols(4);
    grid.resize(600, 200);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    EventLog log;
    log.attach(grid);

    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {},
                      grid.visualItemRect(grid.item(2, 1)).center());
    QCOMPARE(log.take(), QStringList({"leave 1,1", "enter 3,2", "left down 3,2"}));
    const QPoint heading(grid.horizontalHeader()->sectionViewportPosition(2) + 5, 5);
    QTest::mouseClick(grid.horizontalHeader()->viewport(), Qt::RightButton, {}, heading);
    QCOMPARE(log.take(), QStringList({"other down 3,2"})); // MouseRow: AdjustDialogsTest
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_Down);
    QTest::keyClick(&grid, Qt::Key_Right);
    QCOMPARE(log.take(), QStringList({"leave 3,2", "enter 4,2", "leave 4,2", "enter 4,3"}));

    grid.verticalScrollBar()->setValue(3);
    QCOMPARE(log.take(), QStringList({"scroll 4,3"}));
    grid.verticalScrollBar()->setValue(0);
    log.take();
    grid.SetRow(39);
    QVERIFY(log.entries.size() >= 3);
    QCOMPARE(log.entries.first(), QString("leave 4,3"));
    QCOMPARE(log.entries[1], QString("scroll 39,3"));
    QCOMPARE(log.entries.last(), QString("enter 39,3"));
}

void FlexGridTest::editorCoversTheCellAsDrawn_data() {
    QTest::addColumn<bool>("inGrid"); // the editor is the grid's child, else the window's
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    for (bool inGrid : {true, false})
        for (const auto& [row, col] : {std::pair{1, 1}, {6, 3}, {38, 9}})
            QTest::addRow("%s %d,%d", inGrid ? "grid" : "window", row, col) << inGrid << row << col;
}

// The editor covers the rectangle the grid draws the current cell in (a cell out of
// view is scrolled in first), and stays on it when the table scrolls, a column before
// it widens, or the grid moves in its window.
void FlexGridTest::editorCoversTheCellAsDrawn() {
    QFETCH(bool, inGrid);
    QFETCH(int, row);
    QFETCH(int, col);
    QWidget window;
    window.resize(420, 260);
    auto* grid = new CMSFlexGrid(&window);
    grid->setGeometry(11, 7, 380, 220);
    grid->SetRows(40);
    grid->SetCols(10);
    auto* overlay = new CellEditorOverlay(grid);
    auto* editor = new QLineEdit(inGrid ? static_cast<QWidget*>(grid) : &window);
    editor->hide();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const auto covered = [&] {
        return QRect(grid->viewport()->mapFrom(editor->parentWidget(), editor->pos()),
                     editor->size());
    };
    const auto drawn = [&] { return grid->visualItemRect(grid->item(row - 1, col - 1)); };

    grid->SetRow(row);
    grid->SetCol(col);
    overlay->open(editor);
    QVERIFY(editor->isVisible());
    QCOMPARE(covered(), drawn());
    QVERIFY(grid->viewport()->rect().contains(drawn()));
    grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->value() + (row > 1 ? -1 : 1));
    QCOMPARE(covered(), drawn());
    grid->SetColWidth(0, grid->ColWidth(0) + 300);
    grid->SetColWidth(1, grid->ColWidth(1) + 150);
    QCOMPARE(covered(), drawn());
    grid->move(grid->pos() + QPoint(5, 3));
    QCOMPARE(covered(), drawn());
}

TEST_CLASS(FlexGridTest)
#include "tst_flexgrid.moc"
