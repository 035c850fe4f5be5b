#include "IO/Location.hpp"

#include <algorithm>

#include "PathSyntax.hpp"

namespace IO {
namespace {

using path_syntax::IsSeparator;
using path_syntax::RootLength;
constexpr auto npos = std::u16string::npos;

// One name of a path: not empty, not "." or "..", without a separator or NUL.
bool IsValidLocalName(const std::u16string& name) {
    return !name.empty() && name != u"." && name != u".." &&
           std::none_of(name.begin(), name.end(),
                        [](char16_t c) { return c == u'\0' || IsSeparator(c); });
}

// The path without separators at its end; a root keeps its own ("/", "C:\\").
std::u16string WithoutTrailingSeparators(std::u16string path) {
    const std::size_t keep = std::max<std::size_t>(RootLength(path), 1);
    while (path.size() > keep && IsSeparator(path.back())) path.pop_back();
    return path;
}

// Where the last name starts; npos when the path has no last name (empty or a root).
std::size_t LastNameStart(const std::u16string& path) {
    const std::size_t root = RootLength(path);
    if (path.size() <= root) return npos;
    std::size_t start = path.size();
    while (start > root && !IsSeparator(path[start - 1])) --start;
    return start;
}

}  // namespace

// A leading dot marks a hidden file, not an extension.
bool Name::HasExtension() const {
    const std::size_t dot = name_.Text().rfind(u'.');
    return dot != npos && dot != 0;
}

GSErrCode Name::DeleteExtension() {
    if (HasExtension()) name_ = GS::UniString(name_.Text().substr(0, name_.Text().rfind(u'.')));
    return NoError;
}

GSErrCode Name::AppendExtension(const GS::UniString& extension) {
    std::u16string text = extension.Text();
    if (!text.empty() && text.front() == u'.') text.erase(0, 1);
    if (text.empty() || name_.IsEmpty()) return APIERR_BADPARS;
    name_ = GS::UniString(name_.Text() + u"." + text);
    return NoError;
}

// An empty location has no folder to append to: a name alone would be a path relative to the
// working folder, where a file must not land by accident.
GSErrCode Location::AppendToLocal(const Name& name) {
    const std::u16string& text = name.ToString().Text();
    if (path_.IsEmpty() || !IsValidLocalName(text)) return APIERR_BADPARS;
    std::u16string path = path_.Text();
    if (!IsSeparator(path.back())) path.push_back(path_syntax::JoiningSeparator(path));
    path_ = GS::UniString(path + text);
    return NoError;
}

GSErrCode Location::DeleteLastLocalName() {
    const std::u16string path = WithoutTrailingSeparators(path_.Text());
    const std::size_t start = LastNameStart(path);
    if (start == npos) return APIERR_GENERAL;
    path_ = GS::UniString(WithoutTrailingSeparators(path.substr(0, start)));
    return NoError;
}

GSErrCode Location::GetLastLocalName(Name* name) const {
    if (name == nullptr) return APIERR_BADPARS;
    const std::u16string path = WithoutTrailingSeparators(path_.Text());
    const std::size_t start = LastNameStart(path);
    if (start == npos) return APIERR_GENERAL;
    *name = Name(GS::UniString(path.substr(start)));
    return NoError;
}

// The name is replaced where it stands, so the path keeps the separator it was written with.
GSErrCode Location::SetLastLocalName(const Name& name) {
    if (!IsValidLocalName(name.ToString().Text())) return APIERR_BADPARS;
    const std::u16string path = WithoutTrailingSeparators(path_.Text());
    const std::size_t start = LastNameStart(path);
    if (start == npos) return APIERR_GENERAL;
    path_ = GS::UniString(path.substr(0, start) + name.ToString().Text());
    return NoError;
}

GSErrCode Location::ToPath(GS::UniString* path) const {
    if (path == nullptr) return APIERR_BADPARS;
    *path = path_;
    return NoError;
}

}  // namespace IO
