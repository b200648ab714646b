#include "ui/CMSFlexGrid.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QItemSelection>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QStyledItemDelegate>

namespace {

// Default width of every column, the fixed one included, in average characters.
constexpr int kDefaultColumnChars = 13;
constexpr int kAlignGeneral = 9;
// Where a cell keeps its mark colour; its tooltip is the item's own.
constexpr int kMarkRole = Qt::UserRole + 1;
// How much of the mark colour goes into the base colour, in percent.
constexpr int kMarkTintPercent = 35;
// The strip of a selected marked cell, in pixels.
constexpr int kMarkStripWidth = 4;

QColor Tint(const QColor& base, const QColor& mark) {
    const auto mix = [](int from, int to) {
        return from + (to - from) * kMarkTintPercent / 100;
    };
    return QColor(mix(base.red(), mark.red()), mix(base.green(), mark.green()),
                  mix(base.blue(), mark.blue()));
}

Qt::Alignment AlignmentFromValue(int value) {
    if (value < 0 || value > 8)
        return Qt::AlignLeft | Qt::AlignVCenter;
    static const Qt::Alignment horizontal[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    static const Qt::Alignment vertical[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    return horizontal[value / 3] | vertical[value % 3];
}

int MouseButtonValue(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

int ShiftValue(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

} // namespace

// Draws the selected cell highlighted only as HighLight allows, and a marked cell on
// its tint: the style paints the background under the text, the selection instead of
// it, so a selected marked cell gets its colour as a strip at its left edge.
class CMSFlexGrid::Delegate : public QStyledItemDelegate {
public:
    explicit Delegate(CMSFlexGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        const QColor mark = index.data(kMarkRole).value<QColor>();
        if (!mark.isValid() || !(option.state & QStyle::State_Selected) ||
            !m_grid->highlightsSelection())
            return;
        QRect strip = option.rect;
        strip.setWidth(kMarkStripWidth);
        painter->fillRect(strip, mark);
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (!m_grid->highlightsSelection())
            option->state &= ~QStyle::State_Selected;
        const QColor mark = index.data(kMarkRole).value<QColor>();
        if (mark.isValid())
            option->backgroundBrush = Tint(option->palette.color(QPalette::Base), mark);
    }

private:
    CMSFlexGrid* m_grid;
};

CMSFlexGrid::CMSFlexGrid(QWidget* parent) : QTableWidget(parent), m_fixedTextColor(Qt::black) {
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSortingEnabled(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setItemDelegate(new Delegate(this));

    const int columnWidth = fontMetrics().averageCharWidth() * kDefaultColumnChars;
    const int rowHeight = verticalHeader()->defaultSectionSize();
    horizontalHeader()->setDefaultSectionSize(columnWidth);
    for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
        header->setSectionsClickable(false);
        header->setHighlightSections(false);
        header->setSectionResizeMode(QHeaderView::Fixed);
        header->setMouseTracking(true);
        header->viewport()->installEventFilter(this);
    }
    verticalHeader()->setFixedWidth(columnWidth);
    horizontalHeader()->setFixedHeight(rowHeight);
    setMouseTracking(true);

    m_corner = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
    if (m_corner)
        m_corner->installEventFilter(this);

    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &CMSFlexGrid::Scroll);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &CMSFlexGrid::Scroll);

    // A grid starts with one ordinary cell, like a fresh control.
    SetRows(2);
    SetCols(2);
}

// ---- size and current cell -------------------------------------------------------

void CMSFlexGrid::SetRows(int rows) {
    m_quiet = true;
    setRowCount(std::max(rows, 1) - 1);
    prepareNewCells();
    syncCurrentCell();
    m_quiet = false;
}

void CMSFlexGrid::SetCols(int cols) {
    m_quiet = true;
    setColumnCount(std::max(cols, 1) - 1);
    m_colAlignment.resize(static_cast<size_t>(Cols()), kAlignGeneral);
    prepareNewCells();
    syncCurrentCell();
    m_quiet = false;
}

void CMSFlexGrid::SetRow(int row) {
    if (row < 1 || row >= Rows() || row == m_row || m_col < 1)
        return;
    setCurrentCell(row - 1, m_col - 1);
}

void CMSFlexGrid::SetCol(int col) {
    if (col < 1 || col >= Cols() || col == m_col || m_row < 1)
        return;
    setCurrentCell(m_row - 1, col - 1);
}

void CMSFlexGrid::SelectRows(const std::vector<int>& rows, int currentRow) {
    if (m_row >= 1)
        emit LeaveCell();
    m_quiet = true;
    SetRow(currentRow);
    m_quiet = false;
    QItemSelection selection;
    const int lastColumn = columnCount() - 1;
    for (int row : rows)
        selection.select(model()->index(row - 1, 0), model()->index(row - 1, lastColumn));
    selectionModel()->select(selection,
                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void CMSFlexGrid::syncCurrentCell() {
    if (rowCount() == 0 || columnCount() == 0) {
        m_row = m_col = 0;
        return;
    }
    m_row = std::clamp(m_row, 1, Rows() - 1);
    m_col = std::clamp(m_col, 1, Cols() - 1);
    if (currentRow() != m_row - 1 || currentColumn() != m_col - 1)
        setCurrentCell(m_row - 1, m_col - 1);
}

void CMSFlexGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    const int row = current.row() + 1;
    const int col = current.column() + 1;
    if (m_quiet || !current.isValid() || (row == m_row && col == m_col)) {
        if (current.isValid()) {
            m_row = row;
            m_col = col;
        }
        QTableWidget::currentChanged(current, previous);
        return;
    }
    emit LeaveCell(); // Row and Col still name the cell being left
    m_row = row;
    m_col = col;
    QTableWidget::currentChanged(current, previous); // brings the new cell into view
    emit EnterCell();
}

// ---- cell texts --------------------------------------------------------------------

QTableWidgetItem* CMSFlexGrid::fixedItem(int row, int col) const {
    if (row == 0 && col >= 1 && col < Cols())
        return horizontalHeaderItem(col - 1);
    if (col == 0 && row >= 1 && row < Rows())
        return verticalHeaderItem(row - 1);
    return nullptr;
}

QTableWidgetItem* CMSFlexGrid::ensureItem(int row, int col) {
    if (row < 0 || col < 0 || row >= Rows() || col >= Cols() || (row == 0 && col == 0))
        return nullptr;
    if (QTableWidgetItem* fixed = fixedItem(row, col))
        return fixed;
    if (row == 0 || col == 0) {
        auto* fixed = new QTableWidgetItem;
        fixed->setTextAlignment(alignmentOf(col));
        fixed->setForeground(m_fixedTextColor);
        if (row == 0)
            setHorizontalHeaderItem(col - 1, fixed);
        else
            setVerticalHeaderItem(row - 1, fixed);
        return fixed;
    }
    QTableWidgetItem* cell = item(row - 1, col - 1);
    if (!cell) {
        cell = new QTableWidgetItem;
        cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        cell->setTextAlignment(alignmentOf(col));
        setItem(row - 1, col - 1, cell);
    }
    return cell;
}

// Every cell gets an item up front, so that the fixed cells show empty text rather
// than the header's own numbering, and alignment applies to cells not yet written.
void CMSFlexGrid::prepareNewCells() {
    for (int row = 0; row < Rows(); ++row)
        for (int col = 0; col < Cols(); ++col)
            ensureItem(row, col);
}

QString CMSFlexGrid::TextMatrix(int row, int col) const {
    if (row == 0 && col == 0)
        return m_cornerText;
    if (const QTableWidgetItem* fixed = fixedItem(row, col))
        return fixed->text();
    if (row < 1 || col < 1 || row >= Rows() || col >= Cols())
        return QString();
    const QTableWidgetItem* cell = item(row - 1, col - 1);
    return cell ? cell->text() : QString();
}

void CMSFlexGrid::SetTextMatrix(int row, int col, const QString& text) {
    if (row == 0 && col == 0) {
        m_cornerText = text;
        if (m_corner)
            m_corner->update();
        return;
    }
    if (QTableWidgetItem* cell = ensureItem(row, col))
        cell->setText(text);
}

void CMSFlexGrid::SetTextArray(int index, const QString& text) {
    if (index < 0 || index >= Rows() * Cols())
        return;
    SetTextMatrix(index / Cols(), index % Cols(), text);
}

void CMSFlexGrid::SetCellMark(int row, int col, const QColor& colour, const QString& toolTip) {
    if (row < 1 || col < 1 || row >= Rows() || col >= Cols())
        return;
    QTableWidgetItem* cell = ensureItem(row, col);
    cell->setData(kMarkRole, colour);
    cell->setToolTip(toolTip);
}

void CMSFlexGrid::ClearCellMarks() {
    for (int row = 0; row < rowCount(); ++row) {
        for (int col = 0; col < columnCount(); ++col) {
            QTableWidgetItem* cell = item(row, col);
            if (cell && cell->data(kMarkRole).isValid()) {
                cell->setData(kMarkRole, QVariant());
                cell->setToolTip(QString());
            }
        }
    }
}

QColor CMSFlexGrid::CellMarkColor(int row, int col) const {
    const QTableWidgetItem* cell = row >= 1 && col >= 1 ? item(row - 1, col - 1) : nullptr;
    return cell ? cell->data(kMarkRole).value<QColor>() : QColor();
}

QString CMSFlexGrid::CellMarkTip(int row, int col) const {
    const QTableWidgetItem* cell = row >= 1 && col >= 1 ? item(row - 1, col - 1) : nullptr;
    return cell ? cell->toolTip() : QString();
}

// ---- alignment and colours ---------------------------------------------------------

Qt::Alignment CMSFlexGrid::alignmentOf(int col) const {
    if (col < 0 || col >= static_cast<int>(m_colAlignment.size()))
        return AlignmentFromValue(kAlignGeneral);
    return AlignmentFromValue(m_colAlignment[static_cast<size_t>(col)]);
}

void CMSFlexGrid::SetColAlignment(int col, int alignment) {
    if (col < 0 || col >= Cols())
        return;
    m_colAlignment[static_cast<size_t>(col)] = alignment;
    const Qt::Alignment flags = alignmentOf(col);
    for (int row = 0; row < Rows(); ++row)
        if (QTableWidgetItem* cell = ensureItem(row, col))
            cell->setTextAlignment(flags);
    if (col == 0) {
        verticalHeader()->setDefaultAlignment(flags);
        if (m_corner)
            m_corner->update();
    }
}

void CMSFlexGrid::SetForeColorFixed(quint32 bgr) {
    m_fixedTextColor = QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
    for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
        QPalette palette = header->palette();
        palette.setColor(QPalette::ButtonText, m_fixedTextColor);
        header->setPalette(palette);
    }
    for (int col = 1; col < Cols(); ++col)
        horizontalHeaderItem(col - 1)->setForeground(m_fixedTextColor);
    for (int row = 1; row < Rows(); ++row)
        verticalHeaderItem(row - 1)->setForeground(m_fixedTextColor);
    if (m_corner)
        m_corner->update();
}

void CMSFlexGrid::SetHighLight(int mode) {
    m_highLight = mode;
    viewport()->update();
}

bool CMSFlexGrid::highlightsSelection() const {
    switch (m_highLight) {
    case HighLightNever:
        return false;
    case HighLightWithFocus:
        return hasFocus();
    default:
        return true;
    }
}

// ---- geometry in twips -------------------------------------------------------------

int CMSFlexGrid::ColWidth(int col) const {
    if (col == 0)
        return pixelsToTwipsX(verticalHeader()->width());
    if (col < 0 || col >= Cols())
        return 0;
    return pixelsToTwipsX(columnWidth(col - 1));
}

void CMSFlexGrid::SetColWidth(int col, int twips) {
    const int pixels = std::max(twipsToPixelsX(twips), 0);
    if (col == 0) {
        verticalHeader()->setFixedWidth(pixels);
        updateGeometries();
    } else if (col > 0 && col < Cols()) {
        setColumnWidth(col - 1, pixels);
    }
}

int CMSFlexGrid::RowHeight(int row) const {
    if (row == 0)
        return pixelsToTwipsY(horizontalHeader()->height());
    if (row < 0 || row >= Rows())
        return 0;
    return pixelsToTwipsY(rowHeight(row - 1));
}

int CMSFlexGrid::ColPos(int col) const {
    if (col <= 0)
        return pixelsToTwipsX(frameWidth());
    return pixelsToTwipsX(frameWidth() + verticalHeader()->width() +
                          columnViewportPosition(col - 1));
}

int CMSFlexGrid::RowPos(int row) const {
    if (row <= 0)
        return pixelsToTwipsY(frameWidth());
    return pixelsToTwipsY(frameWidth() + horizontalHeader()->height() +
                          rowViewportPosition(row - 1));
}

// ---- mouse -------------------------------------------------------------------------

void CMSFlexGrid::trackMouse(QPoint gridPos) {
    const int cellsLeft = frameWidth() + verticalHeader()->width();
    const int cellsTop = frameWidth() + horizontalHeader()->height();
    if (gridPos.x() < cellsLeft) {
        m_mouseCol = 0;
    } else {
        const int col = columnAt(gridPos.x() - cellsLeft);
        m_mouseCol = col < 0 ? -1 : col + 1;
    }
    if (gridPos.y() < cellsTop) {
        m_mouseRow = 0;
    } else {
        const int row = rowAt(gridPos.y() - cellsTop);
        m_mouseRow = row < 0 ? -1 : row + 1;
    }
}

void CMSFlexGrid::mousePressEvent(QMouseEvent* event) {
    QTableWidget::mousePressEvent(event); // may move the current cell first
    const QPoint gridPos = viewport()->mapTo(this, event->position().toPoint());
    trackMouse(gridPos);
    // Qt scrolls a clicked cell that is only partly in view a moment after the click,
    // which would drop the editor the click opens; bring it into view now instead, so
    // that the owner places its editor over the cell where it will stay.
    if (currentIndex().isValid())
        scrollTo(currentIndex());
    emit MouseDown(MouseButtonValue(event->button()), ShiftValue(event->modifiers()),
                   pixelsToTwipsX(gridPos.x()), pixelsToTwipsY(gridPos.y()));
}

void CMSFlexGrid::mouseMoveEvent(QMouseEvent* event) {
    QTableWidget::mouseMoveEvent(event);
    trackMouse(viewport()->mapTo(this, event->position().toPoint()));
}

bool CMSFlexGrid::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget && widget == m_corner && event->type() == QEvent::Paint) {
        paintCorner(widget);
        return true;
    }
    if (widget &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseMove)) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint gridPos = widget->mapTo(this, mouse->position().toPoint());
        trackMouse(gridPos);
        if (event->type() == QEvent::MouseButtonPress)
            emit MouseDown(MouseButtonValue(mouse->button()), ShiftValue(mouse->modifiers()),
                           pixelsToTwipsX(gridPos.x()), pixelsToTwipsY(gridPos.y()));
    }
    return QTableWidget::eventFilter(watched, event);
}

// HighLight 2 draws the selection only while the grid has the focus.
void CMSFlexGrid::focusInEvent(QFocusEvent* event) {
    QTableWidget::focusInEvent(event);
    viewport()->update();
}

void CMSFlexGrid::focusOutEvent(QFocusEvent* event) {
    QTableWidget::focusOutEvent(event);
    viewport()->update();
}

// The fixed cell (0, 0) sits where the table's corner button is; it is drawn as a
// header section with the cell's text.
void CMSFlexGrid::paintCorner(QWidget* corner) {
    QStyleOptionHeader option;
    option.initFrom(corner);
    option.state = QStyle::State_Enabled | QStyle::State_Raised | QStyle::State_Horizontal;
    option.rect = corner->rect();
    option.position = QStyleOptionHeader::OnlyOneSection;
    option.text = m_cornerText;
    option.textAlignment = alignmentOf(0);
    option.palette.setColor(QPalette::ButtonText, m_fixedTextColor);
    QPainter painter(corner);
    style()->drawControl(QStyle::CE_Header, &option, &painter, corner);
}
