// One click on a channel cell that is only partly in view brings the cell into view
// and opens its editor over it, and the editor stays open.
#include "ChannelScreen.h"
#include "TestSuite.h"

#include <QApplication>
#include <QTest>

class GridFirstClickTest : public QObject {
    Q_OBJECT
private slots:
    void init() { m_run.reset(); }
    void partlyVisibleCell_data();
    void partlyVisibleCell();

private:
    EditorRun m_run;
};

namespace {

bool FullyInView(CMSFlexGrid& grid, int row, int col) {
    const QRect cell = grid.visualItemRect(grid.item(row - 1, col - 1));
    return grid.viewport()->rect().contains(cell);
}

} // namespace

void GridFirstClickTest::partlyVisibleCell_data() {
    QTest::addColumn<int>("col");
    QTest::newRow("frequency edit box") << int(kColRxFrequency);
    QTest::newRow("tone list") << int(kColDecodeTone);
    QTest::newRow("last column list") << int(kColCompand);
}

void GridFirstClickTest::partlyVisibleCell() {
    QFETCH(int, col);
    CProgramDoc doc;
    CProgramView view(&doc);
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

TEST_CLASS(GridFirstClickTest)
#include "tst_grid_first_click.moc"
