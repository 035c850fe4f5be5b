// planhost keeps text as UTF-8; the Windows API takes UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace planhost::os {

std::wstring WideText(std::string_view utf8);
std::string Utf8Text(const std::wstring& wide);

}  // namespace planhost::os
