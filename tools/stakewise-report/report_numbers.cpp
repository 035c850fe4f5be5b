#include "report_numbers.hpp"

#include <algorithm>
#include <charconv>
#include <cstring>

NumberText NumberText::Integer(long long value) {
    NumberText number;
    number.size_ = std::size_t(
        std::to_chars(number.text_, number.text_ + sizeof number.text_, value).ptr - number.text_);
    return number;
}

NumberText NumberText::Millimetres(double micrometres) {
    return Fixed(micrometres / 1000.0, 3);
}

NumberText NumberText::Metres(double metres) {
    NumberText number;
    number.size_ = std::size_t(WriteCoordinateText(number.text_, metres) - number.text_);
    return number;
}

NumberText NumberText::Fixed(double value, int decimals) {
    NumberText number;
    char* const end = std::to_chars(number.text_, number.text_ + sizeof number.text_, value,
                                    std::chars_format::fixed, decimals)
                          .ptr;
    number.size_ = std::size_t(end - number.text_);
    // A value that rounds to zero is written without its sign.
    if (number.text_[0] == '-' &&
        std::all_of(number.text_ + 1, end, [](char c) { return c == '0' || c == '.'; })) {
        std::memmove(number.text_, number.text_ + 1, --number.size_);
    }
    return number;
}
