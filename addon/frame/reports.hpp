// The two ways the add-on reports a failure: a debug line with a beep for a failed host call
// (the user sees nothing), and an alert for the user.
#pragma once

#include "GS/Compiler.hpp"
#include "GS/UniString.hpp"
#include "api/api_base.hpp"

// Writes "TEXT: CODE" (the code in decimal) to the host's debug output, then beeps.
void ReportHostError(const char* text, GSErrCode code);

// Formats a printf-style message (at most 511 characters; longer ones are cut) and has the host
// show it in an alert. Narrow text is in the system code page.
void ShowAlert(const char* format, ...) GS_PRINTF_FORMAT(1, 2);

// The same for Unicode text, so that a file name outside the code page is shown as it is.
void ShowAlertText(const GS::UniString& text);
