// Host Unicode text to and from narrow 8-bit text in the host's default code page
// (Windows-1252), and whole numbers as text.
#pragma once

#include <string>
#include <string_view>

#include "GS/UniString.hpp"

// Characters that the code page lacks become '?'; the result ends before the first NUL.
std::string ToNarrowText(const GS::UniString& text);
// The narrow text up to its first NUL.
GS::UniString FromNarrowText(std::string_view narrow);
// Plain decimal, a leading '-' for negatives; the process locale plays no part.
std::string IntToNarrowText(Int32 value);
GS::UniString IntToText(Int32 value);
