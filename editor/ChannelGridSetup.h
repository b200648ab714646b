#pragma once
// How the channel view is put together: the grid of 16 channels with its headings,
// channel numbers and column widths, and the nine in-place editors over its cells (a
// line edit for each frequency, a list for every other column). Each control carries
// the id that is also its help context id. The view connects and watches what is
// made here; editing stays with the view.

#include "radio/ChannelCodec.h"
#include "radio/ImageMap.h"

#include <array>

class CMSFlexGrid;
class QWidget;

// Control ids of the channel view, which are also the help context ids of the controls.
namespace ChannelControlId {
constexpr int kGrid = 1000;
constexpr int kRxFrequencyEdit = 2127;
constexpr int kTxFrequencyEdit = 2128;
constexpr int kDecodeToneList = 2132;
constexpr int kEncodeToneList = 2133;
constexpr int kPowerList = 1129;
constexpr int kScanAddList = 1134;
constexpr int kBusyLockList = 1139;
constexpr int kBandwidthList = 1128;
constexpr int kCompandList = 2134;
} // namespace ChannelControlId

// The grid's size: the heading row and one row per channel, one column per field.
constexpr int kChannelGridRows = ImageMap::kChannelCount + 1;
constexpr int kChannelGridCols = kChannelColumns;

// The cell editors by grid column; [0], the channel number, has none.
using CellEditors = std::array<QWidget*, kChannelColumns>;

struct ChannelGridParts {
    CMSFlexGrid* grid = nullptr;
    CellEditors editors{};
};

// The grid laid out on `view`, filled with headings and numbers, and the view sized
// to the whole table; the editors are the grid's children, hidden.
ChannelGridParts BuildChannelGrid(QWidget* view, Language language);

// Relative width of each column; column 0 gives the unit (the printout uses the same).
double ColumnWidthFactor(int col);
