#pragma once
// Channel lists as CSV files, in either layout: our own (the grid's columns, headed
// "CH,Rx Frequency,...") and the common layout of other programming tools (headed
// "Location,Name,Frequency,..."). A file's header tells which one it is.

#include "document/ChannelImport.h"
#include "radio/RadioImage.h"

#include <QString>

enum class CsvLayout { Own, Common };

// The most a channel list may hold: 16 channels take under 2 KB, and the longest lists of
// other programming tools (1000 memories) stay well below it. Nothing longer is read:
// /dev/zero behind a link or a stray 50 MB file is refused instead of filling the memory.
constexpr qint64 kChannelListMaxBytes = 1 << 20;

// The text of the channel list at `path`, a regular file, or standard input for "-"
// (chprog). False with `error` set ("PATH: ...") when it cannot be read or holds more
// than kChannelListMaxBytes.
bool ReadChannelList(const QString& path, QString* text, QString* error);

// The channel table of `image` as CSV (RFC 4180, CRLF lines) with a header line; our
// own layout writes the words of `language`, the common layout its own words, and its
// Power in `watts` when they are given (see CommonCsvExport.h).
QString ChannelCsvText(const RadioImage& image, CsvLayout layout, Language language,
                       const std::optional<ModelWatts>& watts = std::nullopt);

struct CsvImportReport {
    CsvLayout layout = CsvLayout::Own;
    bool namesDropped = false; // the common layout's Name or Comment had text
};

// The layout of a file, judged by its header line; Own for anything else.
CsvLayout DetectCsvLayout(const std::vector<CsvRow>& rows);

// Replaces the channels `text` names in `image`, with every row checked first: only
// the fields the file changes are written; every other byte stays as it was. On any
// error `image` is unchanged and `error` names the line (and column) at fault. The
// window program's Import Channels and chprog import-csv both store through this.
bool ImportChannelCsv(const QString& text, const ImportOptions& options, RadioImage& image,
                      CsvImportReport* report, QString* error);
