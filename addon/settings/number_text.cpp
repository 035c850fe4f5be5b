#include "settings/number_text.hpp"

#include <locale.h>
#include <stdlib.h>

#include <charconv>
#include <limits>
#include <string>

namespace {

bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view SkipCSpace(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && IsCSpace(text[start])) ++start;
    return text.substr(start);
}

bool IsHexPrefix(std::string_view unsignedText) {
    return unsignedText.size() >= 2 && unsignedText[0] == '0' &&
           (unsignedText[1] == 'x' || unsignedText[1] == 'X');
}

// strtod itself, pinned to the C locale, for the rare forms that from_chars reads differently
// (hexadecimal, results out of range).
double ClassicStrtod(std::string_view text) {
    static const locale_t classic = ::newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    const std::string terminated(text);
    return ::strtod_l(terminated.c_str(), nullptr, classic);
}

}  // namespace

Int32 AtoI(std::string_view text) {
    text = SkipCSpace(text);
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    constexpr Int64 limit = Int64(std::numeric_limits<Int32>::max()) + 1;
    Int64 magnitude = 0;
    for (std::size_t i = 0; i < text.size() && IsDigit(text[i]); ++i) {
        if (magnitude <= limit) magnitude = magnitude * 10 + (text[i] - '0');
    }
    if (negative) return magnitude >= limit ? std::numeric_limits<Int32>::min() : Int32(-magnitude);
    return magnitude >= limit ? std::numeric_limits<Int32>::max() : Int32(magnitude);
}

double AtoF(std::string_view text) {
    text = SkipCSpace(text);
    std::string_view number = text;
    bool negative = false;
    if (!number.empty() && (number[0] == '+' || number[0] == '-')) {
        negative = number[0] == '-';
        number.remove_prefix(1);
    }
    // from_chars would take a second sign itself; strtod takes none.
    if (number.empty() || number[0] == '+' || number[0] == '-') return 0.0;
    if (IsHexPrefix(number)) return ClassicStrtod(text);
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) return ClassicStrtod(text);
    if (result.ec != std::errc()) return 0.0;
    return negative ? -value : value;
}
