#pragma once
// The names of the undoable edits, as the status bar shows them after "Undo" and
// "Redo", in both languages.

#include "radio/Language.h"

#include <QString>

enum class EditKind {
    ChannelCell, // one committed cell; `count` is the channel number
    ReadFromRadio,
    OptionalFeatures,
    ScanInfo,
    ProductInformation,
    PowerAdjust, // the grid stored on closing or before a write
    PowerAdjustRead,
    SqlAdjust,
    SqlAdjustRead,
    PasteChannels, // `count` channels
    CutChannels,
    DeleteChannels,
    MoveChannelUp,
    MoveChannelDown,
    ImportChannels,
    SetChannels, // `count` channels
    FillDown,    // `count` channels below the first
    FrequencySeries,
    SortByFrequency,
    CompactChannels,
};

QString EditLabel(EditKind kind, Language language, int count = 0);

// "Undo Paste 3 channels" and "Redo ..." for a label; the bare word for an empty one.
QString UndoText(const QString& label, Language language);
QString RedoText(const QString& label, Language language);
