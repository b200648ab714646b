#pragma once
// Exact decimal multiplication of typed numbers.
//
// Typed values such as 146.5125 are not exact in binary floating point, so multiplying
// them by 100000 and truncating can land one unit short (14651249). Both operands are
// instead rounded to 15 significant decimal digits, multiplied exactly as decimals, and
// only the product is turned back into a double (correctly rounded).

double DecimalMultiply(double a, double b);

// The integer part of DecimalMultiply(a, b), truncated toward zero. `fits` (optional)
// tells whether the product fits a signed 32-bit integer; when it does not, the
// result is saturated.
long long DecimalMultiplyTruncated(double a, double b, bool* fitsInt32 = nullptr);
