#include "os/windows/wide_text.hpp"

#include "GS/UniString.hpp"

namespace planhost::os {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows text is UTF-16");

std::wstring WideText(std::string_view utf8) {
    const std::u16string text = GS::UniString(utf8, GS::CC_UTF8).Text();
    return std::wstring(text.begin(), text.end());
}

std::string Utf8Text(const std::wstring& wide) {
    return GS::UniString(std::u16string(wide.begin(), wide.end())).ToCStr(GS::CC_UTF8);
}

}  // namespace planhost::os
