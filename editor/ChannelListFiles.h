#pragma once
// File > Import Channels... and File > Export Channels...: channel lists as CSV files in
// either layout (ours, or the common layout of other programming tools). An import is
// checked as chprog import-csv checks it, against the document's band, and applied as
// one change of the document; a refused file changes nothing and its message names the
// first bad line and column.

#include "document/ChannelCsv.h"

#include <QString>

class CProgramView;

namespace ChannelListFiles {

// The commands: a file dialog, then Import or Export below.
void OnImportChannels(CProgramView& view);
void OnExportChannels(CProgramView& view);

// Imports `path` into the view's document. When the file's Locations do not fit the
// channels, asks which rows go where (CImportPlacementDlg). False when nothing changed
// (refused, cancelled, or a file with nothing new).
bool Import(CProgramView& view, const QString& path);

// Writes the view's channels to `path`; false (after a message) when it cannot.
bool Export(CProgramView& view, const QString& path, CsvLayout layout);

} // namespace ChannelListFiles
