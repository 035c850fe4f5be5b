#include "report_numbers.hpp"

#include <charconv>
#include <cmath>

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
    // A value that rounds to zero is written without its sign.
    const double shown = std::fabs(value) < 0.5 * std::pow(10.0, -decimals) ? 0.0 : value;
    number.size_ = std::size_t(std::to_chars(number.text_, number.text_ + sizeof number.text_,
                                             shown, std::chars_format::fixed, decimals)
                                   .ptr -
                               number.text_);
    return number;
}
