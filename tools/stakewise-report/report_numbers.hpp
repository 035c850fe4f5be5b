// Numbers as the report writes them: locale-free, so that '.' is the decimal point whatever
// language the machine speaks.
#pragma once

#include <cstddef>
#include <string_view>

#include "exchange/coordinate_text.hpp"

// One number's text, kept on the stack.
class NumberText {
public:
    std::string_view View() const { return {text_, size_}; }

    static NumberText Integer(long long value);
    // Micrometres as millimetres with three decimals: 12345 as "12.345".
    static NumberText Millimetres(double micrometres);
    // Metres as the points file writes a coordinate: to the micrometre, no trailing zeros.
    static NumberText Metres(double metres);
    // Fixed notation with this many decimals, for drawing.
    static NumberText Fixed(double value, int decimals);

private:
    char text_[MaxCoordinateTextLength + 8];
    std::size_t size_ = 0;
};
