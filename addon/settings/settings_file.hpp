// The settings file as lines of text: "Stakewise.ini" in the host's 8-bit code page, one byte
// per character, and its scrambled, read-only fallback "Stakewise.dat" beside it.
#pragma once

#include <vector>

#include "GS/UniString.hpp"
#include "IO/Location.hpp"

// The lines of iniFile; when it cannot be opened, those of the fallback file. False when
// neither could be read.
bool ReadLines(const IO::Location& iniFile, std::vector<GS::UniString>* lines);

// Lines end at LF (a CR before it is dropped); the rest after the last LF is a last line, also
// when empty. False only when the file cannot be opened.
bool ReadTextLines(const IO::Location& file, std::vector<GS::UniString>* lines);

// The lines of the scrambled file named like iniFile with the extension "dat": every CR is
// dropped, LF ends a line, a non-empty rest is the last line. False when that file does not
// exist; one that cannot be read yields no lines.
bool ReadScrambledLines(const IO::Location& iniFile, std::vector<GS::UniString>* lines);

// Replaces the file as a whole, or leaves it as it was: each line in the 8-bit code page, cut to
// 1,997 bytes, then CR LF. True when the new file is in place.
bool WriteTextLines(const IO::Location& file, const std::vector<GS::UniString>& lines);
