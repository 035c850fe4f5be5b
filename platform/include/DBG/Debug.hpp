// Debug output and the system beep. The host decides where they go; by default each DBPrintf
// call is one line "debug: TEXT" on standard error and the beep is "debug: (beep)".
#pragma once

#include "GS/Compiler.hpp"

// One message; a trailing line end is dropped, an empty message writes nothing.
PLATFORM_API void DBPrintf(const char* format, ...) GS_PRINTF_FORMAT(1, 2);
PLATFORM_API void GSSysBeep();
