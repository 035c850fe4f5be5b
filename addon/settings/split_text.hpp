// Splitting a text at a one-character separator.
#pragma once

#include <vector>

#include "GS/UniString.hpp"

// Every separator ends a piece, also an empty one; the rest after the last separator is a
// piece only when it is not empty: "a==b" gives a, (empty), b and "a=b=" gives a, b.
std::vector<GS::UniString> SplitText(const GS::UniString& text, GS::uchar_t separator);
