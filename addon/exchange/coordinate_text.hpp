// A coordinate as the points file writes it: plain decimal to the micrometre, independent of
// the process locale.
#pragma once

#include <cstddef>
#include <limits>

// Room that one coordinate may need: sign, the 309 integer digits of the largest double, '.'
// and six decimals.
constexpr std::size_t MaxCoordinateTextLength =
    1 + std::numeric_limits<double>::max_exponent10 + 1 + 1 + 6;

// Writes value at out (which has room for MaxCoordinateTextLength characters) and returns the
// end. Fixed notation rounded to six decimals, trailing zeros and a trailing '.' dropped, never
// an exponent. A value that rounds to zero is written "0", without a sign. Infinities and NaN
// are written "inf", "-inf" and "nan", which the reader takes back.
char* WriteCoordinateText(char* out, double value);
