// The grid widget on its own: the properties and events its owners rely on.
#include "CMSFlexGrid.h"
#include "TestSuite.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

namespace {

// Records each event with the current cell as the grid reports it at that moment.
struct EventLog {
    QStringList entries;
    void attach(CMSFlexGrid& grid) {
        QObject::connect(&grid, &CMSFlexGrid::LeaveCell, [&] { add("leave", grid); });
        QObject::connect(&grid, &CMSFlexGrid::EnterCell, [&] { add("enter", grid); });
        QObject::connect(&grid, &CMSFlexGrid::Scroll, [&] { add("scroll", grid); });
    }
    void add(const char* what, const CMSFlexGrid& grid) {
        entries << QStringLiteral("%1 %2,%3").arg(what).arg(grid.Row()).arg(grid.Col());
    }
};

QPoint CellCentre(CMSFlexGrid& grid, int row, int col) {
    return grid.visualItemRect(grid.item(row - 1, col - 1)).center();
}

} // namespace

class FlexGridTest : public QObject {
    Q_OBJECT
private slots:
    void sizeAndTexts();
    void currentCellEventsInOrder();
    void mouseAndKeyboardMoveTheCurrentCell();
    void highlightFollowsTheFocus();
    void scrollingRaisesScroll();
};

void FlexGridTest::sizeAndTexts() {
    CMSFlexGrid grid;
    grid.SetRows(17);
    grid.SetCols(10);

    // Fixed cells hold text like any other cell; row 0 is the column headings.
    grid.SetTextMatrix(0, 3, "QT/DQT Dec");
    grid.SetTextMatrix(16, 9, "No");
    QCOMPARE(grid.horizontalHeaderItem(2)->text(), QString("QT/DQT Dec"));
    QCOMPARE(grid.verticalHeaderItem(0)->text(), QString()); // no automatic numbering

    // TextArray counts cells row by row, fixed ones included.
    grid.SetTextArray(2 * 10 + 4, "67.0");
    QCOMPARE(grid.TextMatrix(2, 4), QString("67.0"));
    grid.SetTextArray(17 * 10, "outside"); // past the last cell: ignored
    QCOMPARE(grid.TextMatrix(16, 9), QString("No"));

    grid.SetText("146.52000"); // the current cell
    QCOMPARE(grid.TextMatrix(1, 1), QString("146.52000"));

    // Shrinking the table pulls the current cell back inside it, without events.
    EventLog log;
    log.attach(grid);
    grid.SetRow(16);
    grid.SetCol(9);
    log.entries.clear();
    grid.SetRows(5);
    grid.SetCols(3);
    QCOMPARE(grid.Row(), 4);
    QCOMPARE(grid.Col(), 2);
    QCOMPARE(log.entries, QStringList());
}

void FlexGridTest::currentCellEventsInOrder() {
    CMSFlexGrid grid;
    grid.SetRows(17);
    grid.SetCols(10);
    EventLog log;
    log.attach(grid);

    grid.SetCol(3);
    grid.SetRow(2);
    QCOMPARE(log.entries, QStringList({"leave 1,1", "enter 1,3", "leave 1,3", "enter 2,3"}));
    QCOMPARE(grid.currentRow(), 1); // the table's own row and column count from 0

    // The same cell, a fixed cell or a cell outside the table raise nothing.
    log.entries.clear();
    grid.SetCol(3);
    grid.SetCol(0);
    grid.SetRow(0);
    grid.SetRow(17);
    grid.SetCol(10);
    QCOMPARE(log.entries, QStringList());
    QCOMPARE(grid.Row(), 2);
    QCOMPARE(grid.Col(), 3);
}

void FlexGridTest::mouseAndKeyboardMoveTheCurrentCell() {
    CMSFlexGrid grid;
    grid.SetRows(6);
    grid.SetCols(4);
    grid.resize(600, 300);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    EventLog log;
    log.attach(grid);
    QList<QList<int>> downs;
    connect(&grid, &CMSFlexGrid::MouseDown, [&](int button, int shift, int x, int y) {
        downs << QList<int>{button, shift, x, y, grid.Row(), grid.Col()};
    });

    const QPoint target = CellCentre(grid, 3, 2);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::ShiftModifier, target);
    QCOMPARE(log.entries, QStringList({"leave 1,1", "enter 3,2"}));
    QCOMPARE(downs.size(), 1);
    const QPoint inGrid = grid.viewport()->mapTo(&grid, target);
    // MouseDown comes after the move, with the button, Shift and the point in twips.
    QCOMPARE(downs[0], (QList<int>{1, 1, grid.pixelsToTwipsX(inGrid.x()),
                                   grid.pixelsToTwipsY(inGrid.y()), 3, 2}));
    QCOMPARE(grid.MouseRow(), 3);
    QCOMPARE(grid.MouseCol(), 2);

    // A right click on a fixed cell leaves the current cell alone.
    log.entries.clear();
    const QPoint header(grid.horizontalHeader()->sectionViewportPosition(2) + 5, 5);
    QTest::mouseClick(grid.horizontalHeader()->viewport(), Qt::RightButton, {}, header);
    QCOMPARE(log.entries, QStringList());
    QCOMPARE(downs.size(), 2);
    QCOMPARE(grid.MouseRow(), 0);

    // Arrow keys move the current cell with the same events.
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_Down);
    QTest::keyClick(&grid, Qt::Key_Right);
    QCOMPARE(log.entries, QStringList({"leave 3,2", "enter 4,2", "leave 4,2", "enter 4,3"}));
}

void FlexGridTest::highlightFollowsTheFocus() {
    CMSFlexGrid grid;
    grid.SetRows(4);
    grid.SetCols(3);
    // Colours come as 0xBBGGRR, as the owners give them.
    grid.SetForeColorFixed(0xF03200);
    QCOMPARE(grid.horizontalHeaderItem(1)->foreground().color(), QColor(0x00, 0x32, 0xF0));

    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    grid.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&grid));
    grid.setFocus();
    grid.SetHighLight(CMSFlexGrid::HighLightWithFocus);
    QVERIFY(grid.highlightsSelection());
    grid.clearFocus();
    QVERIFY(!grid.highlightsSelection());
}

void FlexGridTest::scrollingRaisesScroll() {
    CMSFlexGrid grid;
    grid.SetRows(40);
    grid.SetCols(3);
    grid.resize(400, 200);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    EventLog log;
    log.attach(grid);

    grid.verticalScrollBar()->setValue(3);
    QCOMPARE(log.entries, QStringList({"scroll 1,1"}));

    // A move to a cell out of view scrolls it into view between the two events, so
    // the owner has left the old cell before the table moves.
    grid.verticalScrollBar()->setValue(0);
    log.entries.clear();
    grid.SetRow(39);
    QVERIFY(log.entries.size() >= 3);
    QCOMPARE(log.entries.first(), QString("leave 1,1"));
    QCOMPARE(log.entries[1], QString("scroll 39,1"));
    QCOMPARE(log.entries.last(), QString("enter 39,1"));
}

TEST_CLASS(FlexGridTest)
#include "tst_flexgrid.moc"
