#pragma once
// Replacing channel rows from CSV records, with the checks of the channel editor:
// every replaced row is refused as a whole with a message naming the line, the column
// and what is allowed there. Both CSV layouts end here: each is first turned into
// ChannelRecords in the grid's own texts.

#include "config/ProductCatalog.h"
#include "radio/ChannelCodec.h"
#include "document/ChannelEdit.h"
#include "files/Csv.h"

#include <QString>
#include <optional>
#include <vector>

// Locations first..last of a channel list in another tool's layout.
struct LocationRange {
    int first = 0;
    int last = 0;
};

struct ImportOptions {
    std::optional<BandLimits> band; // checked when given
    // Placing rows of the common layout (see CommonCsvLayout.h); our own layout names
    // its channels and takes neither.
    std::optional<LocationRange> rows;
    std::optional<int> firstChannel;
    // The base's model watts: a wattage of the common layout is then the nearer of High
    // and Low; without them the file's largest wattage is High.
    std::optional<ModelWatts> watts;
};

// The words a list column takes (Power, Scan Add, Busy Lock, W/N, Compand); empty for
// the other columns.
const std::vector<Word>& WordsOfColumn(int column);

// One channel to replace: its texts in the grid's column order, and, for messages, the
// file's line and the name the file gives each column.
struct ChannelRecord {
    int line = 0;
    int channel = 0; // 1..16
    ChannelRow cells;
    std::array<QString, kChannelColumns> columnNames;
    // No transmit frequency: the transmit cell stays empty instead of taking the
    // receive frequency.
    bool receiveOnly = false;
};

// Column names of our own layout: the English grid headings.
std::array<QString, kChannelColumns> OwnColumnNames();

// Our own layout read record by record, so that a file is read only up to its first
// bad line: readHeader() once, then read() for each data record.
class OwnLayoutRecords {
public:
    explicit OwnLayoutRecords(const CsvRow& header);
    // False on an unknown, repeated or missing heading, with `error` set.
    bool readHeader(QString* error);
    // False on a bad field count or channel number, with `error` set.
    bool read(const CsvRow& row, ChannelRecord* record, QString* error) const;

private:
    CsvRow m_header;
    std::array<int, kChannelColumns> m_fieldOf{};
};

// Checks records one at a time with the row rules into a copy of a table, which holds
// every record applied so far.
class ChannelRecordChecks {
public:
    ChannelRecordChecks(const ImportOptions& options, const ChannelTable& table);
    // False on a bad record ("line L, column "Name": ...", or "Location N appears twice:
    // lines L1 and L2"), with `error` set.
    bool apply(const ChannelRecord& record, QString* error);
    const ChannelTable& table() const { return m_result; }

private:
    const ImportOptions& m_options;
    ChannelTable m_result;
    std::array<int, ImageMap::kChannelCount> m_lineOf{}; // the record naming each channel; 0: none
};

// Reads the data records of our own layout (`rows[0]` is the header). On a bad header,
// field count or channel number returns false with `error` set.
bool ReadOwnLayout(const std::vector<CsvRow>& rows, std::vector<ChannelRecord>* records,
                   QString* error);

// Checks every record with the row rules and, only when all pass, writes them into
// `table`. On a bad record returns false with `error` set ("line L, column "Name": ...").
bool ApplyChannelRecords(const std::vector<ChannelRecord>& records, const ImportOptions& options,
                         ChannelTable& table, QString* error);
