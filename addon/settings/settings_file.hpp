// The settings file as lines of text: "Stakewise.ini" in the host's 8-bit code page, one byte
// per character, and its scrambled, read-only fallback "Stakewise.dat" beside it.
#pragma once

#include <vector>

#include "GS/UniString.hpp"
#include "IO/Location.hpp"

// Which file the lines came from.
enum class SettingsLinesSource { None, IniFile, ScrambledFallback };

// The lines of iniFile: they end at LF (a CR before it is dropped), and the rest after the last
// LF is a last line, also when empty. When iniFile cannot be opened, the lines of the scrambled
// file named like it with the extension "dat": every CR is dropped, LF ends a line, a non-empty
// rest is the last line; when that file exists but cannot be read, it yields no lines. None,
// with no lines, when neither file could be opened.
SettingsLinesSource ReadLines(const IO::Location& iniFile, std::vector<GS::UniString>* lines);

// Replaces the file as a whole, or leaves it as it was: each line in the 8-bit code page, cut to
// 1,997 bytes, then CR LF. True when the new file is in place.
bool WriteTextLines(const IO::Location& file, const std::vector<GS::UniString>& lines);
