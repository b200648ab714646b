#pragma once
// The grid of every table in the program: a table with one fixed row and one fixed
// column, addressed the way its callers expect. Row 0 and column 0 are the fixed cells
// (drawn as the table's headers, so they stay in view while the table scrolls); rows
// 1..Rows-1 and columns 1..Cols-1 are ordinary cells. Sizes and positions are in twips
// (1440 per inch), converted with the widget's logical resolution in integer arithmetic.
//
// The current cell (Row, Col) is the grid's own stored cell: when it changes, LeaveCell
// is raised while Row/Col still name the old cell, then the new cell is stored and
// EnterCell raised. In-place editors are the owner's business: Qt's own editors are off.

#include <QColor>
#include <QPoint>
#include <QTableWidget>
#include <vector>

class CMSFlexGrid : public QTableWidget {
    Q_OBJECT
public:
    // Values of HighLight.
    enum HighLightMode { HighLightNever = 0, HighLightAlways = 1, HighLightWithFocus = 2 };
    // ColAlignment 4: centred both ways.
    static constexpr int kAlignCenterCenter = 4;
    static constexpr int kTwipsPerInch = 1440;

    explicit CMSFlexGrid(QWidget* parent = nullptr);

    // Size of the table, fixed row and column included (at least 1 each).
    int Rows() const { return rowCount() + 1; }
    void SetRows(int rows);
    int Cols() const { return columnCount() + 1; }
    void SetCols(int cols);

    // The current cell, never in the fixed row or column (0 while the table has no
    // ordinary cells). Setting it to another cell raises LeaveCell and EnterCell;
    // a value outside the ordinary cells is ignored.
    int Row() const { return m_row; }
    void SetRow(int row);
    int Col() const { return m_col; }
    void SetCol(int col);

    // Selects whole rows (ascending, 1..Rows-1) and makes `currentRow` the current row.
    // The current cell is left as by any move: LeaveCell is raised first, also when the
    // row stays; no EnterCell follows, as a row selection puts nothing into a cell.
    void SelectRows(const std::vector<int>& rows, int currentRow);

    QString Text() const { return TextMatrix(m_row, m_col); }
    void SetText(const QString& text) { SetTextMatrix(m_row, m_col, text); }
    QString TextMatrix(int row, int col) const;
    void SetTextMatrix(int row, int col, const QString& text);
    // The cell with index row * Cols + col.
    void SetTextArray(int index, const QString& text);

    // 0..8: left/centre/right by top/centre/bottom (3 x horizontal + vertical); 9 is
    // general (text left, numbers right).
    void SetColAlignment(int col, int alignment);

    int ColWidth(int col) const;
    void SetColWidth(int col, int twips);
    int RowHeight(int row) const;
    int ColPos(int col) const;
    int RowPos(int row) const;
    int CellLeft() const { return ColPos(m_col); }
    int CellTop() const { return RowPos(m_row); }
    int CellWidth() const { return ColWidth(m_col); }
    int CellHeight() const { return RowHeight(m_row); }

    // A colour value with red in the low byte, green next, blue in the third byte.
    void SetForeColorFixed(quint32 bgr);
    QColor foreColorFixed() const { return m_fixedTextColor; }

    int HighLight() const { return m_highLight; }
    void SetHighLight(int mode);
    // Whether the selected cell is drawn highlighted right now.
    bool highlightsSelection() const;

    // A mark on an ordinary cell: its background tinted with `colour` (blended into the
    // palette's base colour, so one strong hue reads as a soft tint on light and dark
    // palettes alike) and `toolTip` over it. A mark stays through new texts; the current
    // cell and the selection are drawn as ever, a selected marked cell keeping a strip of
    // the colour at its left edge.
    void SetCellMark(int row, int col, const QColor& colour, const QString& toolTip);
    void ClearCellMarks();
    // The mark's colour as given (invalid when unmarked) and its tooltip.
    QColor CellMarkColor(int row, int col) const;
    QString CellMarkTip(int row, int col) const;

    // The cell under the mouse pointer at the last mouse event over the grid (-1 where
    // the pointer was past the last row or column).
    int MouseRow() const { return m_mouseRow; }
    int MouseCol() const { return m_mouseCol; }

    // Conversions with this widget's logical resolution.
    int twipsToPixelsX(int twips) const { return twips * logicalDpiX() / kTwipsPerInch; }
    int twipsToPixelsY(int twips) const { return twips * logicalDpiY() / kTwipsPerInch; }
    int pixelsToTwipsX(int pixels) const { return pixels * kTwipsPerInch / logicalDpiX(); }
    int pixelsToTwipsY(int pixels) const { return pixels * kTwipsPerInch / logicalDpiY(); }

signals:
    void EnterCell();
    void LeaveCell();
    // button: 1 left, 2 right, 4 middle; shift: 1 Shift, 2 Ctrl, 4 Alt; x, y in twips
    // from the grid's top-left corner.
    void MouseDown(int button, int shift, int x, int y);
    void Scroll();

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    class Delegate;

    QTableWidgetItem* fixedItem(int row, int col) const;
    QTableWidgetItem* ensureItem(int row, int col);
    void prepareNewCells();
    void syncCurrentCell();
    void trackMouse(QPoint gridPos);
    void paintCorner(QWidget* corner);
    Qt::Alignment alignmentOf(int col) const;

    int m_row = 0;
    int m_col = 0;
    int m_mouseRow = -1;
    int m_mouseCol = -1;
    int m_highLight = HighLightAlways;
    bool m_quiet = false; // current-cell changes made by the grid itself
    QString m_cornerText; // the fixed cell (0, 0)
    QColor m_fixedTextColor;
    std::vector<int> m_colAlignment; // per column, FlexGrid values
    QWidget* m_corner = nullptr;
};
