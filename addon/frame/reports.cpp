#include "frame/reports.hpp"

#include <cstdarg>
#include <cstdio>

#include "DBG/Debug.hpp"
#include "frame/host_api.hpp"

namespace {
constexpr GS::USize kMaxAlertLength = 511;
}

void ReportHostError(const char* text, GSErrCode code) {
    DBPrintf("%s: %d", text, int(code));
    GSSysBeep();
}

void ShowAlert(const char* format, ...) {
    char buffer[kMaxAlertLength + 1];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof(buffer), format, args);
    va_end(args);
    const GS::UniString text(buffer, GS::CC_System);
    ACAPI_WriteReport(text.ToUStr(), true);
}

void ShowAlertText(const GS::UniString& text) {
    const std::u16string cut = text.Text().substr(0, kMaxAlertLength);
    ACAPI_WriteReport(cut.c_str(), true);
}
