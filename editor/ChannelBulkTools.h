#pragma once
// The channel grid's tools for many channels at once: Set for Selection (one column's
// value on every selected channel), Fill Down (Ctrl+D), Frequency Series, Sort by
// Frequency, Find Duplicates and Compact. Each change is one step of the document's
// history; a value the channel rules refuse on any channel changes nothing, and the
// message names the first channel that refuses it.
//
// What the tools act on: the selected channels (whole rows, chosen on the channel
// numbers), or a block of cells in one column (Shift+click or Shift+Up/Down from the
// current cell), or else the current cell alone.

#include "document/ChannelEdit.h"
#include "editor/ChannelGridContext.h"
#include "editor/DocumentView.h"

#include <QObject>
#include <QStringList>
#include <functional>
#include <vector>

class CMSFlexGrid;
class CProgramDoc;
class QKeyEvent;
class QWidget;

// The grid and the document the tools work on, and what they ask of the view.
struct ChannelBulkContext : ChannelGridContext {
    std::function<bool()> settleCell;             // commits the open editor; false if refused
    std::function<void(const QString&)> showNote; // the status bar
    std::function<QStringList(int column)> columnItems; // the list of a column's editor
};

// The channels a tool acts on and, for a block of cells, its column (0 for whole rows).
struct BulkSelection {
    std::vector<int> channels; // ascending
    int column = 0;
};

class ChannelBulkTools : public QObject {
    Q_OBJECT
public:
    // Watches the keys and clicks of the context's grid; a child of the grid.
    explicit ChannelBulkTools(ChannelBulkContext context);

    BulkSelection selection() const;
    // Selects the cells of `column` from row `from` to row `to`; `from` stays current.
    void selectCells(int column, int from, int to);

    void run(ChannelTool tool);

    // The tools with their values given, as their dialogs hand them on. Each returns
    // whether the document changed.
    bool setForSelection(int column, const QString& text);
    bool fillDown();
    bool frequencySeries(const QString& startMHz, const QString& stepKHz);
    bool sortByFrequency();
    bool compact();
    // Selects the channels that duplicate another and says how many; returns the count.
    int findDuplicates();

    // Whether a tool has something to act on now (the context menu's enabled states).
    bool canRun(ChannelTool tool) const;

    static bool IsFillDownKey(const QKeyEvent* key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CMSFlexGrid* grid() const { return m_context.grid; }
    bool ready() const;
    // The column Fill Down takes: the block's, or the current one for whole rows.
    int fillColumn(const BulkSelection& chosen) const;
    // Whole rows when more than one is selected, else every channel.
    std::vector<int> orderedChannels() const;
    bool commitCells(const std::vector<ChannelCellText>& cells, const QString& label);
    bool reorder(const QString& label, void (*order)(RadioImage&, const std::vector<int>&));
    void askSetForSelection();
    void askFrequencySeries();
    bool extendBlock(int step);

    ChannelBulkContext m_context;
};
