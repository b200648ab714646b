#include "AlignmentDialog.h"

#include "CMSFlexGrid.h"
#include "ProgramDoc.h"

#include <QPushButton>

AlignmentDialog::AlignmentDialog(CProgramDoc* document, BandLimits band, QWidget* parent)
    : QDialog(parent), m_document(document), m_points(CalibrationPoints(band)),
      m_grid(new CMSFlexGrid(this)), m_read(new QPushButton(QStringLiteral("Read"), this)),
      m_write(new QPushButton(QStringLiteral("Write"), this)) {
    m_read->setAutoDefault(false);
    m_write->setAutoDefault(false);
    connect(m_read, &QPushButton::clicked, this, &AlignmentDialog::onRead);
    connect(m_write, &QPushButton::clicked, this, &AlignmentDialog::onWrite);
}

RadioImage& AlignmentDialog::image() {
    return m_document->image();
}

void AlignmentDialog::layOutGrid(int cols, const std::vector<int>& colWidths) {
    m_grid->SetRows(pointCount() + 1);
    m_grid->SetCols(cols);
    for (int col = 0; col < cols; ++col) {
        m_grid->SetColWidth(col, colWidths[static_cast<size_t>(col)]);
        m_grid->SetColAlignment(col, CMSFlexGrid::kAlignCenterCenter);
    }
    for (int row = 1; row <= pointCount(); ++row)
        m_grid->SetTextMatrix(row, 0, QString::number(m_points[static_cast<size_t>(row - 1)]));
}

// The cell rectangle comes from the grid's twips in whole pixels (twips per pixel by
// integer division), one pixel inside the cell's lines. The grid's positions count from
// its outer corner, border included, so only the grid's own place in the dialog is added.
void AlignmentDialog::placeEditorOverCurrentCell(QWidget* editor) {
    const int twipsPerPixelX = CMSFlexGrid::kTwipsPerInch / m_grid->logicalDpiX();
    const int twipsPerPixelY = CMSFlexGrid::kTwipsPerInch / m_grid->logicalDpiY();
    const int left = m_grid->CellLeft() / twipsPerPixelX;
    const int top = m_grid->CellTop() / twipsPerPixelY;
    const int width = m_grid->CellWidth() / twipsPerPixelX + 1;
    const int height = m_grid->CellHeight() / twipsPerPixelY + 2;
    // From (left + 1, top + 1) up to, not including, (left + width, top + height).
    const QRect cell(left + 1, top + 1, width - 1, height - 1);
    editor->setGeometry(cell.translated(m_grid->geometry().topLeft()));
    editor->show();
    editor->raise();
}

void AlignmentDialog::markIfChanged(const RadioImage& before) {
    if (image() != before)
        m_document->setModified(true);
}

void AlignmentDialog::onRead() {
    // The exchange itself follows once the link is in place.
    fillGrid();
}

void AlignmentDialog::onWrite() {
    commitEditor();
    storeGrid();
}
