#include "editor/ChannelEditActions.h"

#include "ui/CMSFlexGrid.h"
#include "editor/ChannelBulkTools.h"
#include "editor/ChannelGridSetup.h"
#include "document/ProgramDoc.h"
#include "document/ChannelClipboard.h"
#include "ui/CommandIds.h"
#include "ui/HelpHook.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <algorithm>

namespace {

std::vector<int> ChannelRange(int from, int to) {
    std::vector<int> channels;
    for (int channel = std::min(from, to); channel <= std::max(from, to); ++channel)
        channels.push_back(channel);
    return channels;
}

bool Contains(const std::vector<int>& channels, int channel) {
    return std::find(channels.begin(), channels.end(), channel) != channels.end();
}

QString ClipboardText() {
    return QGuiApplication::clipboard()->text();
}

// The tools for many channels, after the moves.
void AddBulkToolItems(QMenu* menu, ChannelBulkTools* tools, Language language) {
    const struct {
        int commandId;
        ChannelTool tool;
        const char* english;
        const char* chinese;
    } items[] = {
        {CommandId::kSetForSelection, ChannelTool::SetForSelection, "Set for &Selection...",
         "設置所選信道(&S)..."},
        {CommandId::kFillDown, ChannelTool::FillDown, "Fill Dow&n\tCtrl+D",
         "向下填充(&N)\tCtrl+D"},
        {CommandId::kFrequencySeries, ChannelTool::FrequencySeries, "Fr&equency Series...",
         "頻率序列(&E)..."},
        {CommandId::kSortByFrequency, ChannelTool::SortByFrequency, "Sort by Fre&quency",
         "按頻率排序(&Q)"},
        {CommandId::kFindDuplicates, ChannelTool::FindDuplicates, "Find Dup&licates",
         "查找重複信道(&L)"},
        {CommandId::kCompactChannels, ChannelTool::Compact, "Co&mpact", "緊縮信道(&M)"},
    };
    menu->addSeparator();
    for (const auto& item : items) {
        const ChannelTool tool = item.tool;
        QAction* action = menu->addAction(Tr(language, item.english, item.chinese), tools,
                                          [tools, tool] { tools->run(tool); });
        action->setData(item.commandId);
        action->setEnabled(tools->canRun(tool));
    }
}

} // namespace

ChannelEditActions::ChannelEditActions(ChannelEditContext context)
    : QObject(context.grid), m_context(std::move(context)) {
    // Installed after the view's own filter, so these keys are seen first.
    grid()->installEventFilter(this);
    grid()->viewport()->installEventFilter(this);
    grid()->verticalHeader()->viewport()->installEventFilter(this);
}

// ---- selection ---------------------------------------------------------------------

std::vector<int> ChannelEditActions::selectedChannels() const {
    std::vector<int> channels;
    for (const QModelIndex& index : grid()->selectionModel()->selectedRows())
        channels.push_back(index.row() + 1);
    std::sort(channels.begin(), channels.end());
    return channels;
}

void ChannelEditActions::selectChannels(int from, int to) {
    setSelection(ChannelRange(from, to), from);
}

// The current row becomes the top selected channel, without opening its cell editor:
// the keys of the tools go to the grid itself. Like any move of the grid's current
// cell, the selection first leaves the cell, which commits a value typed into it.
void ChannelEditActions::setSelection(const std::vector<int>& channels, int fallbackRow) {
    grid()->SelectRows(channels, channels.empty() ? fallbackRow : channels.front());
    grid()->setFocus();
}

int ChannelEditActions::rowOfNumberAt(int y) const {
    const int index = grid()->verticalHeader()->logicalIndexAt(y);
    if (index >= 0)
        return index + 1;
    return y < 0 ? 1 : grid()->Rows() - 1; // dragged past either end
}

// A click on a channel number selects that channel, Shift extends from the last
// click, Ctrl adds or removes one; dragging selects from where the drag started.
bool ChannelEditActions::handleNumberMouse(QMouseEvent* mouse, QEvent::Type type) {
    const int row = rowOfNumberAt(mouse->position().toPoint().y());
    if (type == QEvent::MouseButtonRelease) {
        m_dragging = false;
        return false;
    }
    if (type == QEvent::MouseMove) {
        if (m_dragging && (mouse->buttons() & Qt::LeftButton))
            selectChannels(m_anchor, row);
        return false;
    }
    if (mouse->button() == Qt::RightButton) {
        selectUnderRightClick(row);
        return true;
    }
    if (mouse->button() != Qt::LeftButton)
        return false;
    const Qt::KeyboardModifiers modifiers = mouse->modifiers();
    if (modifiers & Qt::ShiftModifier && m_anchor > 0) {
        std::vector<int> channels = ChannelRange(m_anchor, row);
        if (modifiers & Qt::ControlModifier)
            for (int channel : selectedChannels())
                if (!Contains(channels, channel))
                    channels.push_back(channel);
        std::sort(channels.begin(), channels.end());
        setSelection(channels, row);
        return true;
    }
    m_anchor = row;
    m_dragging = true;
    if (modifiers & Qt::ControlModifier) {
        std::vector<int> channels = selectedChannels();
        if (Contains(channels, row))
            channels.erase(std::find(channels.begin(), channels.end(), row));
        else
            channels.insert(std::upper_bound(channels.begin(), channels.end(), row), row);
        setSelection(channels, row);
        m_dragging = false;
    } else {
        selectChannels(row, row);
    }
    return true;
}

// A right click outside the selection selects the channel under it, so the menu acts
// on what the user pointed at.
void ChannelEditActions::selectUnderRightClick(int row) {
    if (row >= 1 && !Contains(selectedChannels(), row))
        selectChannels(row, row);
}

// ---- the tools ---------------------------------------------------------------------

void ChannelEditActions::copy() {
    const std::vector<int> channels = selectedChannels();
    if (channels.empty() || !m_context.document)
        return;
    QGuiApplication::clipboard()->setText(
        ChannelClipboardText(m_context.document->image(), channels, m_context.language));
}

void ChannelEditActions::cut() {
    if (m_context.refusesEdits())
        return;
    copy();
    blankSelected(EditKind::CutChannels);
}

void ChannelEditActions::clearChannels() {
    blankSelected(EditKind::DeleteChannels);
}

// Each channel is emptied the way clearing its receive frequency empties it.
void ChannelEditActions::blankSelected(EditKind kind) {
    const std::vector<int> channels = selectedChannels();
    CProgramDoc* document = m_context.document;
    if (channels.empty() || !document || m_context.refusesEdits())
        return;
    const int count = static_cast<int>(channels.size());
    document->edit(EditLabel(kind, m_context.language, count), [&](RadioImage& image) {
        const ChannelTable before = DecodeChannels(image, m_context.language);
        ChannelTable after = before;
        for (int channel : channels)
            BlankChannel(after[channel - 1]);
        EncodeChangedCells(before, after, image);
    });
}

void ChannelEditActions::paste() {
    CProgramDoc* document = m_context.document;
    if (!document || m_context.refusesEdits())
        return;
    const int first = grid()->Row();
    setSelection({}, first); // leaves the cell: a value typed into it counts first
    const Language language = m_context.language;
    const ChannelTable before = DecodeChannels(document->image(), language);
    ChannelTable table = before;
    QString error;
    const int count =
        PasteChannelText(ClipboardText(), first, grid()->Col(), m_context.typingBand(), table,
                         language, &error);
    if (count == 0) {
        m_context.showCaution(Tr(language, "Nothing was pasted.", "沒有粘貼任何信道。") + u'\n' +
                              error);
        return;
    }
    document->edit(EditLabel(EditKind::PasteChannels, language, count), [&](RadioImage& image) {
        EncodeChangedCells(before, table, image);
    });
    selectChannels(first, first + count - 1);
}

std::vector<int> ChannelEditActions::movingChannels() const {
    std::vector<int> channels = selectedChannels();
    if (channels.empty() && grid()->Row() >= 1)
        channels.push_back(grid()->Row());
    return channels;
}

bool ChannelEditActions::canMove(int step) const {
    const std::vector<int> channels = movingChannels();
    if (channels.empty())
        return false;
    return step < 0 ? channels.front() > 1 : channels.back() < ImageMap::kChannelCount;
}

// Each moving channel swaps its whole record with its neighbour's; the selection
// follows the channels.
void ChannelEditActions::move(int step) {
    CProgramDoc* document = m_context.document;
    if (!document || !canMove(step) || m_context.refusesEdits())
        return;
    std::vector<int> channels = movingChannels();
    setSelection(channels, channels.front()); // leaves the cell: what was typed counts first
    if (step > 0)
        std::reverse(channels.begin(), channels.end()); // the lowest neighbour moves first
    const EditKind kind = step < 0 ? EditKind::MoveChannelUp : EditKind::MoveChannelDown;
    document->edit(EditLabel(kind, m_context.language, channels.front()), [&](RadioImage& image) {
        for (int channel : channels)
            SwapChannelRecords(image, channel, channel + step);
    });
    std::vector<int> moved;
    for (int channel : channels)
        moved.push_back(channel + step);
    std::sort(moved.begin(), moved.end());
    setSelection(moved, moved.front());
}

void ChannelEditActions::moveUp() {
    move(-1);
}

void ChannelEditActions::moveDown() {
    move(+1);
}

// ---- context menu and keys ---------------------------------------------------------

QMenu* ChannelEditActions::createContextMenu(QWidget* parent) {
    const Language language = m_context.language;
    CProgramDoc* document = m_context.document;
    const bool selected = !selectedChannels().empty();
    auto* menu = new QMenu(parent);
    menu->setProperty(kHelpIdProperty, ChannelControlId::kGrid);
    auto add = [&](int commandId, const QString& text, bool enabled,
                   void (ChannelEditActions::*tool)()) {
        QAction* action = menu->addAction(text, this, tool);
        action->setData(commandId); // F1 on the highlighted item opens its topic
        action->setEnabled(enabled);
    };
    const QString undoLabel = document ? document->undoLabel() : QString();
    const QString redoLabel = document ? document->redoLabel() : QString();
    QAction* undo = menu->addAction(UndoText(undoLabel, language) + QStringLiteral("\tCtrl+Z"),
                                    this, m_context.undo);
    undo->setData(CommandId::kEditUndo);
    undo->setEnabled(document && document->canUndo());
    QAction* redo = menu->addAction(RedoText(redoLabel, language) + QStringLiteral("\tCtrl+Y"),
                                    this, m_context.redo);
    redo->setData(CommandId::kEditRedo);
    redo->setEnabled(document && document->canRedo());
    menu->addSeparator();
    add(CommandId::kEditCut, Tr(language, "Cu&t\tCtrl+X", "剪切(&T)\tCtrl+X"), selected,
        &ChannelEditActions::cut);
    add(CommandId::kEditCopy, Tr(language, "&Copy\tCtrl+C", "複製(&C)\tCtrl+C"), selected,
        &ChannelEditActions::copy);
    add(CommandId::kEditPaste, Tr(language, "&Paste\tCtrl+V", "粘貼(&P)\tCtrl+V"),
        !ClipboardText().isEmpty(), &ChannelEditActions::paste);
    add(CommandId::kEditClear, Tr(language, "&Delete\tDel", "刪除(&D)\tDel"), selected,
        &ChannelEditActions::clearChannels);
    menu->addSeparator();
    add(CommandId::kMoveChannelUp, Tr(language, "Move &up\tCtrl+Up", "上移(&U)\tCtrl+Up"),
        canMove(-1), &ChannelEditActions::moveUp);
    add(CommandId::kMoveChannelDown, Tr(language, "Move do&wn\tCtrl+Down", "下移(&W)\tCtrl+Down"),
        canMove(+1), &ChannelEditActions::moveDown);
    if (ChannelBulkTools* tools = m_context.bulkTools)
        AddBulkToolItems(menu, tools, language);
    return menu;
}

void ChannelEditActions::showContextMenu(const QPoint& globalPos) {
    QMenu* menu = createContextMenu(grid());
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPos);
}

void ChannelEditActions::showContextMenuAtCurrentCell() {
    const QTableWidgetItem* item = grid()->currentItem();
    const QRect cell = item ? grid()->visualItemRect(item) : QRect();
    showContextMenu(grid()->viewport()->mapToGlobal(cell.isValid() ? cell.center() : QPoint()));
}

bool ChannelEditActions::IsMenuKey(const QKeyEvent* key) {
    return key->key() == Qt::Key_Menu ||
           (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier);
}

bool ChannelEditActions::handleKey(QKeyEvent* key) {
    const bool selected = !selectedChannels().empty();
    if (key->matches(QKeySequence::Copy) && selected)
        copy();
    else if (key->matches(QKeySequence::Cut) && selected)
        cut();
    else if (key->matches(QKeySequence::Paste))
        paste();
    else if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier && selected)
        clearChannels();
    else if (key->key() == Qt::Key_Up && key->modifiers() == Qt::ControlModifier)
        moveUp();
    else if (key->key() == Qt::Key_Down && key->modifiers() == Qt::ControlModifier)
        moveDown();
    else if (IsMenuKey(key))
        showContextMenuAtCurrentCell();
    else
        return false; // Ctrl+C on a single cell copies its text, as the table does
    return true;
}

bool ChannelEditActions::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        return watched == grid() && handleKey(static_cast<QKeyEvent*>(event));
    case QEvent::ContextMenu:
        showContextMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (watched == grid()->verticalHeader()->viewport())
            return handleNumberMouse(mouse, event->type());
        if (watched == grid()->viewport() && event->type() == QEvent::MouseButtonPress &&
            mouse->button() == Qt::RightButton) {
            selectUnderRightClick(grid()->rowAt(mouse->position().toPoint().y()) + 1);
            return true; // no cell editor under the menu
        }
        return false;
    }
    default:
        return false;
    }
}
