#include "PathSyntax.hpp"

namespace IO::path_syntax {

// A backslash is an ordinary character of a name here.
bool IsSeparator(char16_t c) {
    return c == u'/';
}

char16_t JoiningSeparator(const std::u16string&) {
    return u'/';
}

std::size_t RootLength(const std::u16string& path) {
    return !path.empty() && path.front() == u'/' ? 1 : 0;
}

}  // namespace IO::path_syntax
