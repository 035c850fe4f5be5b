#include "settings/text_conversions.hpp"

#include <charconv>
#include <limits>

std::string ToNarrowText(const GS::UniString& text) {
    std::string narrow = text.ToCStr(GS::CC_Default);
    narrow.resize(std::min(narrow.size(), narrow.find('\0')));
    return narrow;
}

GS::UniString FromNarrowText(std::string_view narrow) {
    return GS::UniString(narrow.substr(0, narrow.find('\0')), GS::CC_Default);
}

std::string IntToNarrowText(Int32 value) {
    char digits[std::numeric_limits<Int32>::digits10 + 2];
    return std::string(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

GS::UniString IntToText(Int32 value) {
    return FromNarrowText(IntToNarrowText(value));
}
