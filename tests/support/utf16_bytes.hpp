// UTF-16 text as bytes, as Windows tools save "Unicode" text files.
#pragma once

#include <string>
#include <string_view>

enum class ByteOrder { Little, Big };

inline std::string Utf16Bytes(std::u16string_view text, ByteOrder order) {
    std::string bytes;
    for (const char16_t unit : text) {
        const char high = char(unit >> 8);
        const char low = char(unit & 0xFF);
        bytes += order == ByteOrder::Little ? std::string{low, high} : std::string{high, low};
    }
    return bytes;
}

// With the byte-order mark in front.
inline std::string Utf16File(std::u16string_view text, ByteOrder order) {
    return Utf16Bytes(u"\uFEFF", order) + Utf16Bytes(text, order);
}
