#pragma once
// Reading numbers from the start of a text, the way typed values are read everywhere
// in the program: leading blanks skipped, the longest leading number taken, the rest
// ignored. These are locale-independent (a decimal point is always '.').

#include <QString>

// The decimal floating-point number at the start of `text` (sign, digits, point,
// exponent). `found` tells whether any number was there; the result is 0 otherwise.
double LeadingDouble(const QString& text, bool* found = nullptr);

// The decimal integer at the start of `text` (blanks, optional sign, digits); 0 when
// there are no digits. Values beyond the int range saturate.
int LeadingInt(const QString& text, bool* found = nullptr);

// How many digits the number at the start of `text` has before its point, leading
// blanks and zeros not counted ("0146.5" has 3). Tells a number too long for its field
// before it is read, when reading it would overflow.
int LeadingIntegerDigits(const QString& text);

// Whether `text` is a plain decimal number: digits with at most one point and nothing
// else (no blanks, sign or exponent; "nan" and "inf" are no numbers). Frequencies and
// channel numbers from files must look like this.
bool IsPlainDecimal(const QString& text);

// Reads `text` as a whole number: one to nine ASCII digits and nothing else, so that
// "1xyz", "1 2" and a NUL byte after the digits ("1\0xyz") are no numbers (QString's
// own toInt() stops at the NUL). Channel numbers, Locations and DCS codes of files and
// of pasted rows are read so. False when `text` is not such a number.
bool ReadWholeNumber(const QString& text, int* value);

// Formats value / 10^decimals with exactly `decimals` digits after the point, as
// printf("%.Nf") would for such an exact decimal, without floating-point rounding.
QString FormatFixedPoint(long long value, int decimals);
