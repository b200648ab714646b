#pragma once
// Text the user typed or a file held, shown inside a message. Every such text goes
// through ShortenedForMessage: a cell of 5 MB or a number of 500 digits is cut, and
// control characters are written out, so that the message stays one readable line, a
// terminal never receives an escape sequence from a file, and a NUL byte cannot end
// the message early.

#include <QString>

// How much of such a text a message shows.
constexpr int kShownTextLength = 40;

// `text` with every control or format character written as an escape (`\x1b`, `\x00`,
// `\u202e`); when that is longer than kShownTextLength characters, as many whole
// characters as fit and "…".
QString ShortenedForMessage(const QString& text);
