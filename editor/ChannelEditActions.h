#pragma once
// The channel grid's editing tools: whole channels selected on their numbers (click or
// drag, Shift and Ctrl extend), Copy, Cut, Paste and Delete through the clipboard as
// tab-separated text, Move up and Move down, and the context menu offering them with
// Undo and Redo. Every tool is one step of the document's history; the grid redraws
// itself from the document.
//
// Keys on the grid: Ctrl+C, Ctrl+X, Ctrl+V, Delete (with channels selected),
// Ctrl+Up, Ctrl+Down. An open cell editor keeps these keys for its own text. Shift+F10
// and the Menu key open the context menu at the current cell.

#include "document/EditLabels.h"
#include "editor/ChannelGridContext.h"

#include <QEvent>
#include <QObject>
#include <functional>
#include <vector>

class ChannelBulkTools;
class CMSFlexGrid;
class CProgramDoc;
class QMenu;
class QKeyEvent;
class QMouseEvent;
class QPoint;
class QWidget;

// The grid and the document the tools work on, and what they ask of the view.
struct ChannelEditContext : ChannelGridContext {
    std::function<void()> undo;                // the view's, offered in the context menu
    std::function<void()> redo;
    ChannelBulkTools* bulkTools = nullptr; // the tools for many channels, on the same menu
};

class ChannelEditActions : public QObject {
    Q_OBJECT
public:
    // Watches the keys and clicks of the context's grid; a child of the grid.
    explicit ChannelEditActions(ChannelEditContext context);

    // The selected channels (1..16), ascending; empty when only a cell is current.
    std::vector<int> selectedChannels() const;
    // Selects channels from..to (either order); the top one becomes the current row.
    void selectChannels(int from, int to);

    void copy();
    void cut();
    // Pastes the clipboard at the current channel; a refused paste changes nothing and
    // says why.
    void paste();
    void clearChannels();
    void moveUp();
    void moveDown();

    // The context menu with its enabled states as they are now; the caller owns it.
    QMenu* createContextMenu(QWidget* parent);
    // Shift+F10 or the Menu key, which open the context menu from the keyboard.
    static bool IsMenuKey(const QKeyEvent* key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CMSFlexGrid* grid() const { return m_context.grid; }
    bool handleKey(QKeyEvent* key);
    bool handleNumberMouse(QMouseEvent* mouse, QEvent::Type type);
    void showContextMenu(const QPoint& globalPos);
    void showContextMenuAtCurrentCell();
    void selectUnderRightClick(int row);
    // The selected channels, or the current one when none is selected.
    std::vector<int> movingChannels() const;
    void move(int step);
    // Empties the selected channels as one step named by `kind`.
    void blankSelected(EditKind kind);
    void setSelection(const std::vector<int>& channels, int fallbackRow);
    int rowOfNumberAt(int y) const;
    bool canMove(int step) const;

    ChannelEditContext m_context;
    int m_anchor = 0; // the channel a click on the numbers started from
    bool m_dragging = false;
};
