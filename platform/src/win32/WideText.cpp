#include "WideText.hpp"

namespace IO::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows text is UTF-16");

std::wstring WideText(std::string_view utf8) {
    const std::u16string text = GS::UniString(utf8, GS::CC_UTF8).Text();
    return std::wstring(text.begin(), text.end());
}

std::wstring WidePath(const Location& location) {
    GS::UniString path;
    location.ToPath(&path);
    return std::wstring(path.Text().begin(), path.Text().end());
}

GS::UniString UniText(const wchar_t* text) {
    const std::wstring_view wide(text);
    return GS::UniString(std::u16string(wide.begin(), wide.end()));
}

std::string Utf8Text(const wchar_t* text) {
    return UniText(text).ToCStr(GS::CC_UTF8);
}

}  // namespace IO::win32
