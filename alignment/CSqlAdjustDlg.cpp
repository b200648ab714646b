#include "alignment/CSqlAdjustDlg.h"

#include "ui/CMSFlexGrid.h"
#include "ui/CommandIds.h"
#include "alignment/DialogUnits.h"
#include "ui/HelpHook.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <algorithm>

namespace {

constexpr int kCols = 2; // band point, offset
constexpr int kOffsetColumn = 1;
const std::vector<int> kColWidths = {500, 1500}; // twips
constexpr int kLeftButton = 1;
constexpr char16_t kFirstNonAscii = 128;

} // namespace

CSqlAdjustDlg::CSqlAdjustDlg(CProgramDoc* document, BandLimits band, const TransferContext& run,
                             QWidget* parent)
    : AlignmentDialog(document, band, CalibrationTable::Squelch, run, parent),
      m_list(new QComboBox(this)) {
    setWindowTitle(QStringLiteral("Sql Adjust"));
    setProperty(kHelpIdProperty, CommandId::kSqlAdjust);

    m_list->setEditable(false);
    m_list->addItems(SquelchChoices());
    setCellEditor(m_list);
    connect(grid(), &CMSFlexGrid::MouseDown, this, &CSqlAdjustDlg::onMouseDown);

    layOutGrid(kCols, kColWidths);
    grid()->SetTextMatrix(0, kOffsetColumn, QStringLiteral("(-5~5)"));
    fillGrid();
    layOut();

    // Enter, Esc and non-ASCII characters are dropped wherever the focus is in the
    // dialog, before any control sees them.
    qApp->installEventFilter(this);
}

CSqlAdjustDlg::~CSqlAdjustDlg() {
    qApp->removeEventFilter(this);
}

// The grid as big as its rows and columns (a larger one is mostly empty), centred above
// the Read and Write buttons, with the template's margins and button sizes.
void CSqlAdjustDlg::layOut() {
    const DialogUnits units(this);
    CMSFlexGrid* table = grid();
    const int frame = 2 * table->frameWidth();
    const QSize gridSize(frame + table->verticalHeader()->width() +
                             table->horizontalHeader()->length(),
                         frame + table->horizontalHeader()->height() +
                             table->verticalHeader()->length());
    const QSize button = units.size(50, 14);
    const int margin = units.x(17);
    const int buttonGap = units.x(15);
    const int width = std::max(gridSize.width(), 2 * button.width() + buttonGap) + 2 * margin;
    const int top = units.y(17);
    const int buttonsTop = top + gridSize.height() + units.y(13);
    setFixedSize(width, buttonsTop + button.height() + units.y(15));
    table->setGeometry(QRect(QPoint((width - gridSize.width()) / 2, top), gridSize));
    const int buttonsLeft = (width - 2 * button.width() - buttonGap) / 2;
    readButton()->setGeometry(QRect(QPoint(buttonsLeft, buttonsTop), button));
    writeButton()->setGeometry(
        QRect(QPoint(buttonsLeft + button.width() + buttonGap, buttonsTop), button));
}

// Every way of closing keeps the grid's values.
void CSqlAdjustDlg::done(int result) {
    if (!closesNow(result))
        return;
    storeGrid();
    AlignmentDialog::done(result);
}

void CSqlAdjustDlg::onMouseDown(int button, int, int, int) {
    if (button == kLeftButton && grid()->MouseRow() > 0 && grid()->MouseCol() > 0)
        openEditor();
}

bool CSqlAdjustDlg::isSwallowedKey(QObject* watched, QEvent* event) const {
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this)
        return false; // the list's own popup keeps its keys
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Escape)
        return true;
    const QString text = key->text();
    return !text.isEmpty() && text.front().unicode() >= kFirstNonAscii;
}

bool CSqlAdjustDlg::eventFilter(QObject* watched, QEvent* event) {
    if (isSwallowedKey(watched, event))
        return true;
    return AlignmentDialog::eventFilter(watched, event);
}
