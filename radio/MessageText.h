#pragma once
// Text the user typed or a file held, shown inside a message: a cell of 5 MB or a
// number of 500 digits is cut, so that the message stays one readable line.

#include <QString>

// How much of such a text a message shows.
constexpr int kShownTextLength = 40;

// `text` when it is short enough; else its first kShownTextLength characters and "…".
QString ShortenedForMessage(const QString& text);
