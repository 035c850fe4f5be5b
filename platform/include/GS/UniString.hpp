// GS::UniString: the host's Unicode text (UTF-16), with conversions to and from narrow text.
// Values are plain: copy freely, no sharing between copies. Not thread-safe.
#pragma once

#include <compare>
#include <string>
#include <string_view>

#include "GS/Compiler.hpp"
#include "api/api_base.hpp"

namespace GS {

using USize = UInt32;

// Character codes of narrow text.
enum CharCode {
    CC_Default = 0,  // the host's default 8-bit code page: Windows-1252
    CC_System = 1,   // the system code page; the same as CC_Default on this host
    CC_UTF8 = 2,     // UTF-8 (file system paths); bytes that are not valid UTF-8 are kept as
                     // U+DC80-U+DCFF and written back as the same bytes, so no path is lost
};

class PLATFORM_API UniString {
public:
    UniString() = default;
    // Narrow text up to its first NUL. Characters that the code page lacks become '?' when
    // converted back; the five bytes without a character in CC_Default keep their C1 code point
    // (U+0081, U+008D, U+008F, U+0090, U+009D), so every byte converts back unchanged.
    UniString(const char* narrow, CharCode code = CC_Default);
    UniString(std::string_view narrow, CharCode code);
    UniString(const uchar_t* text);  // NUL-terminated UTF-16
    explicit UniString(std::u16string text) : text_(std::move(text)) {}

    USize GetLength() const { return USize(text_.size()); }
    bool IsEmpty() const { return text_.empty(); }
    uchar_t operator[](USize index) const { return text_[index]; }

    const uchar_t* ToUStr() const { return text_.c_str(); }  // NUL-terminated, lives with *this
    const std::u16string& Text() const { return text_; }
    // Narrow text in that code; characters the code lacks become '?' (UTF-8 keeps everything).
    std::string ToCStr(CharCode code = CC_Default) const;

    UniString& Append(const UniString& other);
    UniString& operator+=(const UniString& other) { return Append(other); }
    UniString& Trim();  // white space (space, TAB, CR, LF, VT, FF, NBSP) at both ends
    bool Contains(const UniString& part) const;

    friend UniString operator+(UniString a, const UniString& b) { return a.Append(b); }
    friend bool operator==(const UniString&, const UniString&) = default;
    friend std::strong_ordering operator<=>(const UniString& a, const UniString& b) {
        return a.text_ <=> b.text_;
    }

private:
    std::u16string text_;
};

}  // namespace GS
