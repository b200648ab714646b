#pragma once
// An in-place editor over the current cell of a CMSFlexGrid. The editor covers the cell
// exactly as the grid draws it, inside the cell's grid lines (the grid's own visual
// rectangle of the cell), in the coordinates of whatever widget the editor is a child
// of. While the editor is open it stays over its cell when the grid scrolls, changes
// its column widths or row heights, or is resized or moved.

#include <QObject>
#include <QPointer>
#include <QRect>

class CMSFlexGrid;
class QWidget;

class CellEditorOverlay : public QObject {
    Q_OBJECT
public:
    explicit CellEditorOverlay(CMSFlexGrid* grid);

    // Where an editor child of `parent` covers the cell (row, col) of `grid`.
    static QRect CellRect(const CMSFlexGrid& grid, int row, int col, const QWidget* parent);

    // Places `editor` over the grid's current cell and shows it on top; the focus and the
    // editor's text are the caller's.
    void open(QWidget* editor);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place();
    void follow();

    CMSFlexGrid* m_grid;
    QPointer<QWidget> m_editor; // the editor opened last, while it is visible
    int m_row = 0;              // the cell it covers
    int m_col = 0;
};
