#pragma once
// The access code that unlocks the alignment functions for the rest of the run.

#include <QString>

// The entry field takes at most this many characters.
constexpr int kAccessCodeMaxLength = 6;

// True only for the exact code: no blanks, no extra or missing characters.
bool IsAlignmentAccessCode(const QString& entry);
