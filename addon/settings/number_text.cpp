#include "settings/number_text.hpp"

#include <algorithm>
#include <charconv>
#include <limits>

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

bool IsHexDigit(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// strtod reads "0x" as a hexadecimal number only when a digit follows, directly or after the
// point; otherwise the number is the "0" alone. from_chars would also take a sign or "inf".
bool HasHexDigits(std::string_view digits) {
    if (!digits.empty() && IsHexDigit(digits[0])) return true;
    return digits.size() >= 2 && digits[0] == '.' && IsHexDigit(digits[1]);
}

// The exponent after the digits ("e-12", "P+3"; marker in lower case), clamped far beyond any
// double; 0 when the marker has no digits after it, as strtod then leaves it unread.
Int64 ExponentAfter(std::string_view text, char marker) {
    const char upperMarker = char(marker - 'a' + 'A');
    if (text.empty() || (text[0] != marker && text[0] != upperMarker)) return 0;
    std::size_t at = 1;
    const bool negative = at < text.size() && text[at] == '-';
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    if (at == text.size() || !IsDigit(text[at])) return 0;
    constexpr Int64 kClamp = Int64(1) << 40;
    Int64 exponent = 0;
    for (; at < text.size() && IsDigit(text[at]); ++at)
        exponent = std::min(kClamp, exponent * 10 + (text[at] - '0'));
    return negative ? -exponent : exponent;
}

// A number that from_chars found out of range lies beyond the largest double or below the
// smallest one; strtod gives infinity or zero for it. Which one follows from where its first
// significant digit stands: the scale is some hundred powers away from 0 either way.
double BeyondRange(std::string_view digits, bool hex) {
    const auto isDigit = hex ? IsHexDigit : IsDigit;
    std::size_t at = 0;
    Int64 position = 0;  // of the first significant digit: digits left of the point, or minus
                         // the zeros right of it
    while (at < digits.size() && digits[at] == '0') ++at;
    for (; at < digits.size() && isDigit(digits[at]); ++at) ++position;
    if (at < digits.size() && digits[at] == '.') ++at;
    for (; position <= 0 && at < digits.size() && digits[at] == '0'; ++at) --position;
    while (at < digits.size() && isDigit(digits[at])) ++at;
    // In powers of the exponent's base: two for hexadecimal (four a digit), else ten.
    const Int64 powersPerDigit = hex ? 4 : 1;
    const Int64 scale =
        position * powersPerDigit + ExponentAfter(digits.substr(at), hex ? 'p' : 'e');
    return scale > 0 ? std::numeric_limits<double>::infinity() : 0.0;
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
    const bool hex = IsHexPrefix(number);
    if (hex) {
        number.remove_prefix(2);
        if (!HasHexDigits(number)) return negative ? -0.0 : 0.0;
    }
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value,
                                        hex ? std::chars_format::hex : std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range)
        value = BeyondRange(number, hex);
    else if (result.ec != std::errc())
        return 0.0;
    return negative ? -value : value;
}
