#include "PathSyntax.hpp"

namespace IO::path_syntax {

namespace {

bool IsDriveLetter(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// The end of the name that starts at from: the next separator, or the end of the path.
std::size_t NameEnd(const std::u16string& path, std::size_t from) {
    while (from < path.size() && !IsSeparator(path[from])) ++from;
    return from;
}

// "\\server\share\": both names and the separator after them, when there is one.
std::size_t NetworkRootLength(const std::u16string& path) {
    const std::size_t server = NameEnd(path, 2);
    if (server == path.size()) return server;
    const std::size_t share = NameEnd(path, server + 1);
    return share == path.size() ? share : share + 1;
}

}  // namespace

bool IsSeparator(char16_t c) {
    return c == u'\\' || c == u'/';
}

// A path written with forward slashes (as Unix paths under Wine are) keeps them.
char16_t JoiningSeparator(const std::u16string& path) {
    const std::size_t last = path.find_last_of(u"\\/");
    return last == std::u16string::npos ? u'\\' : path[last];
}

std::size_t RootLength(const std::u16string& path) {
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]))
        return NetworkRootLength(path);
    if (path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == u':')
        return path.size() > 2 && IsSeparator(path[2]) ? 3 : 2;
    return !path.empty() && IsSeparator(path[0]) ? 1 : 0;
}

}  // namespace IO::path_syntax
