#pragma once
// The channel-list CSV layout that multi-radio programming tools exchange:
//
//   Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,
//   DtcsPolarity,Mode,TStep,Skip,Comment[,Power,RxDtcsCode,CrossMode,...]
//
// Reading turns each row into a ChannelRecord in the grid's own texts, which then
// passes the same row rules as our own layout. Writing the same layout from an image
// is CommonCsvExport.h's.

#include "document/ChannelImport.h"
#include "files/Csv.h"
#include "radio/RadioImage.h"

#include <QString>
#include <vector>

// True when the header line is the common layout's (it starts with "Location").
bool IsCommonLayoutHeader(const CsvRow& header);

// What the data rows' Locations look like, for asking where to place them.
struct LocationSpan {
    int rows = 0;          // data rows with a Location
    int lowest = 0;
    int highest = 0;
    bool fitsChannels = true; // every Location is a channel 1..16
};
LocationSpan CommonLayoutLocations(const std::vector<CsvRow>& rows);

struct CommonLayoutNotes {
    bool namesDropped = false; // some row had a Name or a Comment, which the radio cannot keep
};

// Turns the data rows (`rows[0]` is the header) into records, placed by the Location
// or by options.rows / options.firstChannel. The columns the layout lacks (Busy Lock,
// Compand) keep the value of the channel in `base`, or the new-channel default.
// On a row that cannot be mapped returns false with `error` naming line and column.
bool ReadCommonLayout(const std::vector<CsvRow>& rows, const ImportOptions& options,
                      const ChannelTable& base, std::vector<ChannelRecord>* records,
                      CommonLayoutNotes* notes, QString* error);
