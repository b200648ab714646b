#pragma once
// What the main window asks of the view of a document, as typed calls: the commands of
// its menus and tool bar that act on the document, and what the settings dialogs need.
// The channel view implements it; the main window knows views only through it.

#include "config/ProductCatalog.h"
#include "link/TransferJob.h"
#include "radio/Channel.h"

#include <functional>

class CProgramDoc;
class QPrinter;
class QWidget;

// The channel grid's tools for many channels (editor/ChannelBulkTools).
enum class ChannelTool { SetForSelection, FillDown, FrequencySeries, SortByFrequency,
                         FindDuplicates, Compact };

class DocumentView {
public:
    virtual ~DocumentView() = default;

    virtual QWidget* widget() = 0;
    virtual CProgramDoc* document() const = 0;
    // The band every frequency of the document is checked against.
    virtual BandLimits bandLimits() const = 0;
    virtual BandLimits typingBand() const = 0;
    // Product Information was confirmed: band limits and title follow `selection`.
    virtual void applyProduct(const ProductSelection& selection, ProductTitleForm form) = 0;

    // A value typed and not yet committed becomes part of the document.
    virtual void commitPendingEdit() = 0;
    virtual void undo() = 0;
    virtual void redo() = 0;

    // An exchange with the radio runs (Read or Write); `direction` (optional) tells which.
    virtual bool isTransferring(TransferDirection* direction = nullptr) const = 0;
    // The running exchange stops at its next cancel point; `ended` is called once it has.
    virtual void cancelTransfer(std::function<void()> ended) = 0;
    // True, with a note in the main window's status bar, while the document must not
    // change: an exchange with the radio runs. Every door that edits asks first.
    virtual bool refusesEdits() = 0;

    // Program > Read, Write and Scan Info; Setup > COM Setup.
    virtual void read() = 0;
    virtual void write() = 0;
    // Program > Restore Radio: a backup of the connected radio written back to it.
    virtual void restoreRadio() = 0;
    virtual void scanInfo() = 0;
    virtual void comSetup() = 0;
    // File > Print and Print Preview on the main window's printer.
    virtual void print(QPrinter& printer) = 0;
    virtual void printPreview(QPrinter& printer) = 0;
    // File > Import Channels and Export Channels.
    virtual void importChannels() = 0;
    virtual void exportChannels() = 0;
    // Edit > the tools for many channels.
    virtual void runChannelTool(ChannelTool tool) = 0;
    // Makes the cell of `field` of `channel` (1..16) the grid's current cell.
    virtual void goToCell(int channel, ChannelField field) = 0;
};
