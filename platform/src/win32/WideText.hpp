// Text between the platform's own forms (UTF-8 paths, GS::UniString) and the UTF-16 that the
// Windows API takes. Both are UTF-16 underneath, so nothing is lost either way.
#pragma once

#include <string>
#include <string_view>

#include "IO/Location.hpp"

namespace IO::win32 {

std::wstring WideText(std::string_view utf8);
std::wstring WidePath(const Location& location);
GS::UniString UniText(const wchar_t* text);
std::string Utf8Text(const wchar_t* text);

}  // namespace IO::win32
