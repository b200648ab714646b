#pragma once
// Replacing channel rows from CSV records, with the checks of the channel editor:
// every replaced row is refused as a whole with a message naming the line, the column
// and what is allowed there.

#include "ChannelCodec.h"
#include "ChannelEdit.h"
#include "Csv.h"

#include <QString>
#include <optional>
#include <vector>

struct ImportOptions {
    std::optional<BandLimits> band; // checked when given
};

// Applies the data records of `rows` (the first is the header) to `table`. On a bad
// record returns false with `error` set ("line L, column "Name": ...").
bool ImportChannelRows(const std::vector<CsvRow>& rows, const ImportOptions& options,
                       ChannelTable& table, QString* error);
