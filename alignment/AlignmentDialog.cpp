#include "alignment/AlignmentDialog.h"

#include "ui/CMSFlexGrid.h"
#include "ui/CellEditorOverlay.h"
#include "document/EditLabels.h"
#include "document/ProgramDoc.h"
#include "link/AlignmentExchange.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMetaProperty>
#include <QPushButton>
#include <algorithm>

namespace {

// Per band point the texts of the grid's value columns: low and high power, or the
// squelch offset.
using ValueTexts = std::vector<QStringList>;

ValueTexts ReadValueTexts(CalibrationTable table, const RadioImage& image, int rows) {
    ValueTexts texts;
    if (table == CalibrationTable::Power) {
        for (const PowerSetting& setting : ReadPowerTable(image, rows))
            texts.push_back({QString::number(setting.low), QString::number(setting.high)});
    } else {
        for (int offset : ReadSquelchTable(image, rows))
            texts.push_back({QString::number(offset)});
    }
    return texts;
}

void StoreValueTexts(CalibrationTable table, const ValueTexts& texts, RadioImage& image) {
    if (table == CalibrationTable::Power) {
        PowerTable power;
        for (const QStringList& row : texts)
            power.push_back({PowerFromCellText(kPowerColumnLow, row.value(kPowerColumnLow - 1)),
                             PowerFromCellText(kPowerColumnHigh, row.value(kPowerColumnHigh - 1))});
        StorePowerTable(power, image);
    } else {
        SquelchTable squelch;
        for (const QStringList& row : texts)
            squelch.push_back(SquelchFromCellText(row.value(0)));
        StoreSquelchTable(squelch, image);
    }
}

// What an editor's text becomes in grid column `column`: the nearest allowed value.
int ClampedEntry(CalibrationTable table, int column, const QString& typed) {
    return table == CalibrationTable::Power ? ClampPowerEntry(column, typed)
                                            : ClampSquelchEntry(typed);
}

// A line edit shows the cell's text selected; a list shows the first item it starts.
void ShowInEditor(QWidget* editor, const QString& cellText) {
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        edit->setText(cellText);
        edit->selectAll();
    } else if (auto* list = qobject_cast<QComboBox*>(editor)) {
        const int match = list->findText(cellText, Qt::MatchStartsWith);
        if (match >= 0)
            list->setCurrentIndex(match);
    }
}

// Up or Down alone in a list editor: the list would step its item and keep it; they go
// to the grid instead, which moves to the neighbouring row (Alt+Down or F4 open the list).
bool IsRowStepInList(const QObject* editor, const QEvent* event) {
    if (event->type() != QEvent::KeyPress || !qobject_cast<const QComboBox*>(editor))
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    return (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) &&
           (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// The line edit's text or the list's current item: the editor's user property, which
// is what Qt's own item delegates read.
QString EditorText(const QWidget* editor) {
    return editor->metaObject()->userProperty().read(editor).toString();
}

} // namespace

AlignmentDialog::AlignmentDialog(CProgramDoc* document, BandLimits band, CalibrationTable table,
                                 const TransferContext& run, QWidget* parent)
    : QDialog(parent), m_document(document), m_points(CalibrationPoints(band)),
      m_grid(new CMSFlexGrid(this)), m_overlay(new CellEditorOverlay(m_grid)),
      m_read(new QPushButton(QStringLiteral("Read"), this)),
      m_write(new QPushButton(QStringLiteral("Write"), this)), m_table(table),
      m_language(run.language), m_transfer(new TransferController(this, run, transferHooks())) {
    m_read->setAutoDefault(false);
    m_write->setAutoDefault(false);
    connect(m_read, &QPushButton::clicked, this, &AlignmentDialog::onRead);
    connect(m_write, &QPushButton::clicked, this, &AlignmentDialog::onWrite);
    connect(m_transfer, &TransferController::finished, this, &AlignmentDialog::transferDone);
}

AlignmentDialog::~AlignmentDialog() {
    // While the dialog is whole: the runner stops its exchange and waits.
    delete m_transfer;
}

void AlignmentDialog::setLinkFactory(LinkFactory linkFactory) {
    m_transfer->setLinkFactory(std::move(linkFactory));
}

bool AlignmentDialog::isTransferring() const {
    return m_transfer->isRunning();
}

bool AlignmentDialog::closesNow(int result) {
    return m_transfer->mayClose([this, result] { done(result); });
}

void AlignmentDialog::done(int result) {
    if (!closesNow(result))
        return;
    QDialog::done(result);
}

const RadioImage& AlignmentDialog::image() const {
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

void AlignmentDialog::setCellEditor(QWidget* editor) {
    m_cellEditor = editor;
    m_cellEditor->hide();
    m_cellEditor->installEventFilter(this);
}

void AlignmentDialog::openEditor() {
    m_overlay->open(m_cellEditor);
    m_cellEditor->setFocus();
    ShowInEditor(m_cellEditor, m_grid->Text());
}

// Hiding the editor moves the focus away from it: the guard keeps that FocusOut from
// committing a second time.
void AlignmentDialog::commitEditor() {
    if (!m_cellEditor || !m_cellEditor->isVisible() || m_committing)
        return;
    m_committing = true;
    const int value = ClampedEntry(m_table, m_grid->Col(), EditorText(m_cellEditor));
    m_grid->SetText(QString::number(value));
    m_cellEditor->hide();
    m_committing = false;
}

bool AlignmentDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_cellEditor && IsRowStepInList(watched, event)) {
        commitEditor();
        m_grid->setFocus();
        QCoreApplication::sendEvent(m_grid, event);
        return true;
    }
    // A popup (a list's drop-down, a context menu) takes the focus only for a moment.
    if (watched == m_cellEditor && event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
        commitEditor();
    return QDialog::eventFilter(watched, event);
}

void AlignmentDialog::fillGrid() {
    const ValueTexts texts = ReadValueTexts(m_table, image(), pointCount());
    for (int row = 1; row <= static_cast<int>(texts.size()); ++row) {
        const QStringList& values = texts[static_cast<size_t>(row - 1)];
        for (int col = 1; col <= values.size(); ++col)
            m_grid->SetTextMatrix(row, col, values[col - 1]);
    }
}

void AlignmentDialog::storeGrid() {
    commitEditor();
    ValueTexts texts;
    for (int row = 1; row <= pointCount(); ++row) {
        QStringList values;
        for (int col = 1; col < m_grid->Cols(); ++col)
            values << m_grid->TextMatrix(row, col);
        texts.push_back(values);
    }
    const bool power = m_table == CalibrationTable::Power;
    m_document->edit(
        EditLabel(power ? EditKind::PowerAdjust : EditKind::SqlAdjust, m_language),
        [&](RadioImage& image) { StoreValueTexts(m_table, texts, image); });
}

void AlignmentDialog::onRead() {
    startTransfer(TransferDirection::Read);
}

// A write sends what the grid shows: the grid is stored into the image first.
void AlignmentDialog::onWrite() {
    if (isTransferring())
        return;
    storeGrid();
    startTransfer(TransferDirection::Write);
}

void AlignmentDialog::startTransfer(TransferDirection direction) {
    if (isTransferring())
        return;
    setBusy(true);
    m_transfer->startAlignment(direction, m_table);
}

TransferController::Hooks AlignmentDialog::transferHooks() {
    TransferController::Hooks hooks;
    hooks.ended = [this] { setBusy(false); };
    hooks.imageToWrite = [this] { return image(); };
    hooks.readCompleted = [this](const RadioImage& read) { storeReadTable(read); };
    return hooks;
}

// Only a complete read reaches the image, and only the bytes of the dialog's table.
void AlignmentDialog::storeReadTable(const RadioImage& read) {
    const bool power = m_table == CalibrationTable::Power;
    const EditKind kind = power ? EditKind::PowerAdjustRead : EditKind::SqlAdjustRead;
    const QVector<TransferBlock> plan = AlignmentPlan(m_table);
    m_document->edit(EditLabel(kind, m_language), [&](RadioImage& image) {
        for (const TransferBlock& block : plan)
            std::copy_n(read.begin() + block.address, block.length, image.begin() + block.address);
    });
    fillGrid();
}

// The controls stay disabled while the exchange runs; the window itself stays alive.
void AlignmentDialog::setBusy(bool busy) {
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        child->setEnabled(!busy);
    if (busy)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}
