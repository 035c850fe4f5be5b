// How this system writes paths, for Location: which characters separate names, which one a
// new name is joined with, and how long a path's root is (the part that holds no name: "/" on
// POSIX; "C:\", "\\server\share\" or "\" on Windows).
#pragma once

#include <cstddef>
#include <string>

namespace IO::path_syntax {

bool IsSeparator(char16_t c);
// The separator that joins a new name to path.
char16_t JoiningSeparator(const std::u16string& path);
// 0 for a relative path.
std::size_t RootLength(const std::u16string& path);

}  // namespace IO::path_syntax
