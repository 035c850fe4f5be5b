// Debug output and the system beep. The host decides where they go; by default each DBPrintf
// call is one line "debug: TEXT" on standard error and the beep is "debug: (beep)".
#pragma once

// One message; a trailing line end is dropped, an empty message writes nothing.
void DBPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
void GSSysBeep();
