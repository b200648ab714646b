#include "editor/ChannelBulkTools.h"

#include "document/ChannelOrder.h"
#include "document/EditLabels.h"
#include "document/ProgramDoc.h"
#include "radio/ChannelRecord.h"
#include "radio/DecimalMultiply.h"
#include "radio/TextNumbers.h"
#include "ui/CMSFlexGrid.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QItemSelection>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <algorithm>
#include <set>

namespace {

constexpr int kUnitsPerKHz = 100; // frequencies are kept in units of 10 Hz
constexpr const char* kDefaultStepKHz = "12.5";

bool IsFrequencyColumn(int column) {
    return column == kColRxFrequency || column == kColTxFrequency;
}

// Typed freely as well as chosen: frequencies have no list, tones one too long to walk.
bool IsTypedColumn(int column) {
    return IsFrequencyColumn(column) || column == kColDecodeTone || column == kColEncodeTone;
}

QString DialogCaption(ChannelTool tool, Language language) {
    return tool == ChannelTool::SetForSelection ? Tr(language, "Set for Selection", "設置所選信道")
                                                : Tr(language, "Frequency Series", "頻率序列");
}

QDialogButtonBox* OkCancel(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

// The value control of Set for Selection for `column`: its editor's list, editable
// where the grid's cell can be typed into as well.
void FillValueList(QComboBox* value, int column, const QStringList& items) {
    value->clear();
    value->setEditable(IsTypedColumn(column));
    value->addItems(items);
}

} // namespace

ChannelBulkTools::ChannelBulkTools(ChannelBulkContext context)
    : QObject(context.grid), m_context(std::move(context)) {
    grid()->installEventFilter(this);
    grid()->viewport()->installEventFilter(this);
}

// ---- selection ---------------------------------------------------------------------

BulkSelection ChannelBulkTools::selection() const {
    BulkSelection chosen;
    const QItemSelectionModel* model = grid()->selectionModel();
    for (const QModelIndex& index : model->selectedRows())
        chosen.channels.push_back(index.row() + 1);
    if (chosen.channels.empty()) {
        std::set<int> columns;
        for (const QModelIndex& index : model->selectedIndexes()) {
            chosen.channels.push_back(index.row() + 1);
            columns.insert(index.column() + 1);
        }
        if (columns.size() != 1) { // none, or cells of several columns: the current cell
            if (grid()->Row() < 1)
                return BulkSelection{};
            chosen.channels = {grid()->Row()};
            columns = {grid()->Col()};
        }
        chosen.column = *columns.begin();
    }
    std::sort(chosen.channels.begin(), chosen.channels.end());
    chosen.channels.erase(std::unique(chosen.channels.begin(), chosen.channels.end()),
                          chosen.channels.end());
    return chosen;
}

void ChannelBulkTools::selectCells(int column, int from, int to) {
    const int first = std::min(from, to), last = std::max(from, to);
    grid()->SetRow(from);
    grid()->SetCol(column);
    const QModelIndex top = grid()->model()->index(first - 1, column - 1);
    const QModelIndex bottom = grid()->model()->index(last - 1, column - 1);
    grid()->selectionModel()->select(QItemSelection(top, bottom),
                                     QItemSelectionModel::ClearAndSelect);
    grid()->setFocus();
}

// Shift+Up or Shift+Down grows or shrinks the block of the current column.
bool ChannelBulkTools::extendBlock(int step) {
    const BulkSelection chosen = selection();
    if (chosen.channels.empty())
        return false;
    const int column = chosen.column ? chosen.column : grid()->Col();
    const int anchor = grid()->Row();
    int end = chosen.channels.front() == anchor ? chosen.channels.back() : chosen.channels.front();
    end = std::clamp(end + step, 1, ImageMap::kChannelCount);
    if (!m_context.settleCell())
        return true;
    selectCells(column, anchor, end);
    return true;
}

// ---- the tools ---------------------------------------------------------------------

bool ChannelBulkTools::ready() const {
    return m_context.document && !m_context.refusesEdits() && m_context.settleCell();
}

bool ChannelBulkTools::commitCells(const std::vector<ChannelCellText>& cells,
                                   const QString& label) {
    CellRefusal refusal;
    const bool changed = m_context.document->edit(label, [&](RadioImage& image) {
        refusal = CommitChannelCells(cells, m_context.typingBand(), image);
    });
    if (refusal.refused())
        m_context.showCaution(CellRefusalMessage(refusal, m_context.language));
    return changed;
}

bool ChannelBulkTools::setForSelection(int column, const QString& text) {
    if (!ready() || column < kColRxFrequency || column >= kChannelColumns)
        return false;
    const std::vector<int> channels = selection().channels;
    std::vector<ChannelCellText> cells;
    for (int channel : channels)
        cells.push_back({channel, column, text});
    return commitCells(cells, EditLabel(EditKind::SetChannels, m_context.language,
                                        static_cast<int>(channels.size())));
}

int ChannelBulkTools::fillColumn(const BulkSelection& chosen) const {
    return chosen.column ? chosen.column : grid()->Col();
}

// The first cell's text, as the grid shows it, is committed into each cell below. An
// empty first cell fills nothing: emptying channels is Delete's.
bool ChannelBulkTools::fillDown() {
    if (!ready())
        return false;
    const BulkSelection chosen = selection();
    const int column = fillColumn(chosen);
    if (chosen.channels.size() < 2 || column < kColRxFrequency)
        return false;
    const QString text = grid()->TextMatrix(chosen.channels.front(), column);
    if (text.isEmpty()) {
        m_context.showNote(
            Tr(m_context.language, "The first cell is empty: nothing was filled.",
               "第一個單元格為空：沒有填充任何內容。"));
        return false;
    }
    std::vector<ChannelCellText> cells;
    for (auto channel = chosen.channels.begin() + 1; channel != chosen.channels.end(); ++channel)
        cells.push_back({*channel, column, text});
    return commitCells(cells, EditLabel(EditKind::FillDown, m_context.language,
                                        static_cast<int>(cells.size())));
}

// The selected channels take start, start + step, ... in their order. A programmed
// channel whose transmit frequency equals its receive one keeps it so; an empty one
// becomes a new simplex channel, as typing its receive frequency makes it.
bool ChannelBulkTools::frequencySeries(const QString& startMHz, const QString& stepKHz) {
    if (!ready())
        return false;
    const Language language = m_context.language;
    const long long step = DecimalMultiplyTruncated(LeadingDouble(stepKHz), kUnitsPerKHz);
    if (step <= 0) {
        m_context.showCaution(Tr(language, "The step must be a number of kHz above 0.",
                                 "步進必須是大於 0 的千赫數。"));
        return false;
    }
    const long long start = ReadFrequency(startMHz).rounded.units;
    const RadioImage& image = m_context.document->image();
    std::vector<ChannelCellText> cells;
    long long units = start;
    for (int channel : selection().channels) {
        const QString text = FrequencyText(units);
        const Channel before = ReadChannel(image, channel);
        cells.push_back({channel, kColRxFrequency, text});
        if (!before.rx.isEmpty() && before.tx == before.rx)
            cells.push_back({channel, kColTxFrequency, text});
        units += step;
    }
    return commitCells(cells, EditLabel(EditKind::FrequencySeries, language));
}

std::vector<int> ChannelBulkTools::orderedChannels() const {
    const BulkSelection chosen = selection();
    if (chosen.column == 0 && chosen.channels.size() > 1)
        return chosen.channels;
    return AllChannels();
}

bool ChannelBulkTools::reorder(const QString& label,
                               void (*order)(RadioImage&, const std::vector<int>&)) {
    if (!ready())
        return false;
    const std::vector<int> channels = orderedChannels();
    return m_context.document->edit(label, [&](RadioImage& image) { order(image, channels); });
}

bool ChannelBulkTools::sortByFrequency() {
    return reorder(EditLabel(EditKind::SortByFrequency, m_context.language), &SortChannels);
}

bool ChannelBulkTools::compact() {
    return reorder(EditLabel(EditKind::CompactChannels, m_context.language), &CompactChannels);
}

int ChannelBulkTools::findDuplicates() {
    if (!m_context.document || !m_context.settleCell())
        return 0;
    std::vector<int> channels;
    for (const std::vector<int>& group : DuplicateChannels(m_context.document->image()))
        channels.insert(channels.end(), group.begin(), group.end());
    std::sort(channels.begin(), channels.end());
    const Language language = m_context.language;
    if (channels.empty()) {
        m_context.showNote(Tr(language, "No two channels have the same receive frequency and tones.",
                              "沒有接收頻率和亞音都相同的信道。"));
        return 0;
    }
    grid()->SelectRows(channels, channels.front());
    grid()->setFocus();
    const int count = static_cast<int>(channels.size());
    m_context.showNote(Tr(language, "%1 channels have the same receive frequency and tones as "
                                    "another; they are selected.",
                          "%1 個信道的接收頻率和亞音與其他信道相同，已選中。")
                           .arg(count));
    return count;
}

bool ChannelBulkTools::canRun(ChannelTool tool) const {
    if (!m_context.document)
        return false;
    const BulkSelection chosen = selection();
    switch (tool) {
    case ChannelTool::FillDown:
        return chosen.channels.size() > 1;
    case ChannelTool::SetForSelection:
    case ChannelTool::FrequencySeries:
        return !chosen.channels.empty();
    case ChannelTool::SortByFrequency:
    case ChannelTool::FindDuplicates:
    case ChannelTool::Compact:
        return true;
    }
    return false;
}

// ---- dialogs -----------------------------------------------------------------------

void ChannelBulkTools::run(ChannelTool tool) {
    switch (tool) {
    case ChannelTool::SetForSelection:
        askSetForSelection();
        break;
    case ChannelTool::FillDown:
        fillDown();
        break;
    case ChannelTool::FrequencySeries:
        askFrequencySeries();
        break;
    case ChannelTool::SortByFrequency:
        sortByFrequency();
        break;
    case ChannelTool::FindDuplicates:
        findDuplicates();
        break;
    case ChannelTool::Compact:
        compact();
        break;
    }
}

// A column, then its value: a list column's items, or a field for a frequency or a tone.
void ChannelBulkTools::askSetForSelection() {
    if (!canRun(ChannelTool::SetForSelection) || !m_context.settleCell())
        return;
    const Language language = m_context.language;
    QDialog dialog(grid()->window());
    dialog.setWindowTitle(DialogCaption(ChannelTool::SetForSelection, language));
    auto* column = new QComboBox(&dialog);
    column->setObjectName(QStringLiteral("column"));
    for (int c = kColRxFrequency; c < kChannelColumns; ++c)
        column->addItem(ChannelColumnHeading(c, language), c);
    auto* value = new QComboBox(&dialog);
    value->setObjectName(QStringLiteral("value"));
    const auto showColumn = [this, column, value] {
        const int c = column->currentData().toInt();
        FillValueList(value, c, m_context.columnItems(c));
    };
    QObject::connect(column, &QComboBox::currentIndexChanged, &dialog, showColumn);
    const int blockColumn = selection().column;
    column->setCurrentIndex(std::max(0, blockColumn - kColRxFrequency));
    showColumn();
    auto* form = new QFormLayout(&dialog);
    form->addRow(Tr(language, "Column:", "列："), column);
    form->addRow(Tr(language, "Value:", "值："), value);
    form->addRow(OkCancel(&dialog));
    if (dialog.exec() == QDialog::Accepted)
        setForSelection(column->currentData().toInt(), value->currentText().trimmed());
}

void ChannelBulkTools::askFrequencySeries() {
    if (!canRun(ChannelTool::FrequencySeries) || !m_context.settleCell())
        return;
    const Language language = m_context.language;
    QDialog dialog(grid()->window());
    dialog.setWindowTitle(DialogCaption(ChannelTool::FrequencySeries, language));
    auto* start = new QLineEdit(grid()->TextMatrix(selection().channels.front(), kColRxFrequency),
                                &dialog);
    start->setObjectName(QStringLiteral("start"));
    auto* step = new QLineEdit(QString::fromLatin1(kDefaultStepKHz), &dialog);
    step->setObjectName(QStringLiteral("step"));
    auto* form = new QFormLayout(&dialog);
    form->addRow(Tr(language, "Start (MHz):", "起始頻率 (MHz)："), start);
    form->addRow(Tr(language, "Step (kHz):", "步進 (kHz)："), step);
    form->addRow(OkCancel(&dialog));
    if (dialog.exec() == QDialog::Accepted)
        frequencySeries(start->text().trimmed(), step->text().trimmed());
}

// ---- keys and clicks ---------------------------------------------------------------

bool ChannelBulkTools::IsFillDownKey(const QKeyEvent* key) {
    return key->key() == Qt::Key_D && key->modifiers() == Qt::ControlModifier;
}

bool ChannelBulkTools::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched == grid()) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (IsFillDownKey(key)) {
            fillDown();
            return true;
        }
        if (key->modifiers() == Qt::ShiftModifier &&
            (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down))
            return extendBlock(key->key() == Qt::Key_Up ? -1 : +1);
        return false;
    }
    // Shift+click on a cell: the block from the current cell down or up to it, in the
    // current column; no editor opens under it.
    if (event->type() == QEvent::MouseButtonPress && watched == grid()->viewport()) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const int row = grid()->rowAt(mouse->position().toPoint().y()) + 1;
        if (mouse->button() != Qt::LeftButton || mouse->modifiers() != Qt::ShiftModifier ||
            row < 1)
            return false;
        const int anchor = grid()->Row(), column = grid()->Col();
        if (m_context.settleCell())
            selectCells(column, anchor, row);
        return true;
    }
    return false;
}
