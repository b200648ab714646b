#include "ui/CellEditorOverlay.h"

#include "ui/CMSFlexGrid.h"

#include <QEvent>
#include <QHeaderView>

CellEditorOverlay::CellEditorOverlay(CMSFlexGrid* grid) : QObject(grid), m_grid(grid) {
    connect(grid, &CMSFlexGrid::Scroll, this, &CellEditorOverlay::follow);
    for (QHeaderView* header : {grid->horizontalHeader(), grid->verticalHeader()})
        connect(header, &QHeaderView::sectionResized, this, &CellEditorOverlay::follow);
    grid->installEventFilter(this);
    grid->viewport()->installEventFilter(this);
}

// The grid's visual rectangle of a cell leaves out the grid lines on its right and
// bottom; it is given in the viewport's coordinates, which already take the scrolling
// into account.
QRect CellEditorOverlay::CellRect(const CMSFlexGrid& grid, int row, int col,
                                  const QWidget* parent) {
    const QRect cell = grid.visualRect(grid.model()->index(row - 1, col - 1));
    const QWidget* viewport = grid.viewport();
    QPoint topLeft = cell.topLeft();
    if (parent->isAncestorOf(viewport))
        topLeft = viewport->mapTo(parent, topLeft);
    else if (parent != viewport)
        topLeft = parent->mapFromGlobal(viewport->mapToGlobal(topLeft));
    return QRect(topLeft, cell.size());
}

void CellEditorOverlay::open(QWidget* editor) {
    m_editor = editor;
    m_row = m_grid->Row();
    m_col = m_grid->Col();
    place();
    editor->show();
    editor->raise();
}

void CellEditorOverlay::place() {
    if (m_editor && m_editor->parentWidget())
        m_editor->setGeometry(CellRect(*m_grid, m_row, m_col, m_editor->parentWidget()));
}

void CellEditorOverlay::follow() {
    if (m_editor && m_editor->isVisible())
        place();
}

bool CellEditorOverlay::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize || event->type() == QEvent::Move)
        follow();
    return QObject::eventFilter(watched, event);
}
