#include "frame/reports.hpp"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "DBG/Debug.hpp"
#include "frame/host_api.hpp"

namespace {

constexpr GS::USize kMaxAlertLength = 511;

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

}  // namespace

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

// The cut never splits a surrogate pair: half a character would show as a replacement mark.
void ShowAlertText(const GS::UniString& text) {
    std::size_t length = std::min<std::size_t>(text.GetLength(), kMaxAlertLength);
    if (length < text.GetLength() && IsHighSurrogate(text[GS::USize(length - 1)])) --length;
    const std::u16string cut = text.Text().substr(0, length);
    ACAPI_WriteReport(cut.c_str(), true);
}
