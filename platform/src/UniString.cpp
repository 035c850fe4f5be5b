#include "GS/UniString.hpp"

#include <algorithm>
#include <array>

namespace GS {
namespace {

constexpr char16_t Replacement = u'\uFFFD';  // for a lone surrogate in UTF-8 output

// Windows-1252 bytes 0x80-0x9F. The five bytes without a character keep their C1 control code
// point, as Windows converts them, so that every byte of a hand-edited file survives a save.
constexpr std::array<char16_t, 32> Cp1252High = {
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178',
};

bool IsHighSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char32_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Bytes that are not valid UTF-8 are kept as the lone surrogates U+DC80-U+DCFF, so that a
// path the file system hands out comes back to it byte for byte.
bool IsEscapedByte(char32_t c) {
    return c >= 0xDC80 && c <= 0xDCFF;
}

std::u16string FromCp1252(std::string_view narrow) {
    std::u16string text;
    text.reserve(narrow.size());
    for (char ch : narrow) {
        const auto byte = static_cast<unsigned char>(ch);
        text.push_back(byte >= 0x80 && byte <= 0x9F ? Cp1252High[byte - 0x80] : char16_t(byte));
    }
    return text;
}

char Cp1252ByteOf(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return char(c);
    for (std::size_t i = 0; i < Cp1252High.size(); ++i) {
        if (Cp1252High[i] == c) return char(0x80 + i);
    }
    return '?';
}

// The code point of a valid UTF-8 sequence at the start of bytes, with its length; length 0
// when the sequence is invalid (bad lead, missing or bad continuation, overlong, surrogate,
// beyond U+10FFFF).
struct Decoded {
    char32_t code;
    std::size_t length;
};

Decoded DecodeUtf8(std::string_view bytes) {
    const auto lead = static_cast<unsigned char>(bytes[0]);
    if (lead < 0x80) return {lead, 1};
    std::size_t length = 0;
    char32_t code = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, code = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, code = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, code = lead & 0x07, minimum = 0x10000;
    } else {
        return {0, 0};
    }
    if (bytes.size() < length) return {0, 0};
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(bytes[i]);
        if ((next & 0xC0) != 0x80) return {0, 0};
        code = (code << 6) | (next & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return {0, 0};
    return {code, length};
}

void AppendCodePoint(std::u16string& text, char32_t code) {
    if (code < 0x10000) {
        text.push_back(char16_t(code));
    } else {
        code -= 0x10000;
        text.push_back(char16_t(0xD800 + (code >> 10)));
        text.push_back(char16_t(0xDC00 + (code & 0x3FF)));
    }
}

std::u16string FromUtf8(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    while (!bytes.empty()) {
        const Decoded decoded = DecodeUtf8(bytes);
        if (decoded.length == 0) {
            text.push_back(char16_t(0xDC00 + static_cast<unsigned char>(bytes[0])));
            bytes.remove_prefix(1);
        } else {
            AppendCodePoint(text, decoded.code);
            bytes.remove_prefix(decoded.length);
        }
    }
    return text;
}

void AppendUtf8(std::string& bytes, char32_t code) {
    if (code < 0x80) {
        bytes.push_back(char(code));
    } else if (code < 0x800) {
        bytes.push_back(char(0xC0 | (code >> 6)));
        bytes.push_back(char(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        bytes.push_back(char(0xE0 | (code >> 12)));
        bytes.push_back(char(0x80 | ((code >> 6) & 0x3F)));
        bytes.push_back(char(0x80 | (code & 0x3F)));
    } else {
        bytes.push_back(char(0xF0 | (code >> 18)));
        bytes.push_back(char(0x80 | ((code >> 12) & 0x3F)));
        bytes.push_back(char(0x80 | ((code >> 6) & 0x3F)));
        bytes.push_back(char(0x80 | (code & 0x3F)));
    }
}

std::string ToUtf8(const std::u16string& text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            AppendUtf8(bytes, 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (IsEscapedByte(c)) {
            bytes.push_back(char(c - 0xDC00));
        } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
            AppendUtf8(bytes, Replacement);
        } else {
            AppendUtf8(bytes, c);
        }
    }
    return bytes;
}

std::string ToCp1252(const std::u16string& text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        // A character beyond the 16-bit range is one character, so one '?'.
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) ++i;
        bytes.push_back(Cp1252ByteOf(text[i]));
    }
    return bytes;
}

bool IsWhiteSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f' ||
           c == u'\u00A0';
}

}  // namespace

UniString::UniString(const char* narrow, CharCode code)
    : UniString(narrow == nullptr ? std::string_view() : std::string_view(narrow), code) {}

UniString::UniString(std::string_view narrow, CharCode code) {
    if (std::all_of(narrow.begin(), narrow.end(), [](char c) { return UInt8(c) < 0x80; })) {
        text_.assign(narrow.begin(), narrow.end());  // ASCII reads the same in both codes
    } else {
        text_ = code == CC_UTF8 ? FromUtf8(narrow) : FromCp1252(narrow);
    }
}

UniString::UniString(const uchar_t* text) : text_(text == nullptr ? u"" : text) {}

std::string UniString::ToCStr(CharCode code) const {
    // Plain ASCII, by far the most common text (paths, numbers, keys), is the same in both codes.
    if (std::all_of(text_.begin(), text_.end(), [](char16_t c) { return c < 0x80; }))
        return std::string(text_.begin(), text_.end());
    return code == CC_UTF8 ? ToUtf8(text_) : ToCp1252(text_);
}

UniString& UniString::Append(const UniString& other) {
    text_ += other.text_;
    return *this;
}

UniString& UniString::Trim() {
    std::size_t end = text_.size();
    while (end > 0 && IsWhiteSpace(text_[end - 1])) --end;
    std::size_t begin = 0;
    while (begin < end && IsWhiteSpace(text_[begin])) ++begin;
    text_ = text_.substr(begin, end - begin);
    return *this;
}

bool UniString::Contains(const UniString& part) const {
    return text_.find(part.text_) != std::u16string::npos;
}

}  // namespace GS
