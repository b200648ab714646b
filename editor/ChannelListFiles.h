#pragma once
// File > Import Channels... and File > Export Channels...: channel lists as CSV files in
// either layout (ours, or the common layout of other programming tools). An import is
// checked as chprog import-csv checks it, against the document's band, and applied as
// one change of the document; a refused file changes nothing and its message names the
// first bad line and column.

#include "document/ChannelCsv.h"
#include "radio/Language.h"

#include <QString>
#include <functional>
#include <optional>

class CProgramDoc;
class Prompts;
class QWidget;

// The document a channel list goes into or comes from, and what the commands use around it.
struct ChannelListContext {
    QWidget* parent = nullptr; // of the file choosers and messages
    CProgramDoc* document = nullptr;
    Language language = Language::English;
    BandLimits band;            // what an imported frequency is checked against
    const Prompts* prompts = nullptr; // the messages and questions
    std::function<void(const QString&)> showNote; // a note that needs no answer
    // The model's watts from Program.ini, when it names them: the common layout's export
    // writes Power in watts, and its import reads a wattage as the nearer of the two.
    std::optional<ModelWatts> watts;
};

namespace ChannelListFiles {

// The commands: a file dialog, then Import or Export below.
void OnImportChannels(const ChannelListContext& context);
void OnExportChannels(const ChannelListContext& context);

// Imports `path` into the document. When the file's Locations do not fit the channels,
// asks which rows go where (CImportPlacementDlg). False when nothing changed (refused,
// cancelled, or a file with nothing new).
bool Import(const ChannelListContext& context, const QString& path);

// Writes the document's channels to `path`; false (after a message) when it cannot.
bool Export(const ChannelListContext& context, const QString& path, CsvLayout layout);

} // namespace ChannelListFiles
