// std::filesystem paths to and from UTF-8, the form in which programs here keep paths as text.
// A path made from a plain std::string is read in the ANSI code page on Windows, and its
// string() is written in it, which loses every character outside that code page.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace IO {

inline std::filesystem::path PathFromUtf8(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8FromPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace IO
