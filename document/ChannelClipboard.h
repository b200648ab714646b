#pragma once
// Channels as clipboard text: the ten columns of our own CSV layout, tab-separated,
// with its English header line first, so a selection of channels pastes into a
// spreadsheet and back. Pasted text may be tab- or comma-separated, with or without
// the header line; every row is checked with the channel import's row rules and the
// rows fill consecutive channels.

#include "document/ChannelEdit.h"
#include "radio/RadioImage.h"

#include <QString>
#include <vector>

// The channels `channels` (1..16) of `image` with their texts as export-csv writes
// them in `language`, one line each after the header.
QString ChannelClipboardText(const RadioImage& image, const std::vector<int>& channels,
                             Language language);

// Replaces channels firstChannel, firstChannel + 1, ... of `table` with the rows of
// `text` (its CH column is not used). A block of fewer columns than a channel has, with
// no header line, goes into the cells from `firstColumn` on instead (list words and
// tones in any letter case). Returns how many channels were pasted; on any
// bad row, or rows running past channel 16, returns 0 with `table` unchanged and
// `error` naming the first fault (row and column).
int PasteChannelText(const QString& text, int firstChannel, int firstColumn, BandLimits band,
                     ChannelTable& table, Language language, QString* error);
