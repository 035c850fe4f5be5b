// Debug output and the system beep. The host decides where they go (DBSetOutput); by default
// each DBPrintf call is one line "debug: TEXT" on standard error and the beep is "debug: (beep)".
#pragma once

#include <functional>
#include <string_view>

// One message; a trailing line end is dropped, an empty message writes nothing.
void DBPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
void GSSysBeep();

// The host's sink for debug lines (the text without a line end); null restores the default.
void DBSetOutput(std::function<void(std::string_view line)> sink);
