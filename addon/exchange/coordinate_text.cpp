#include "exchange/coordinate_text.hpp"

#include <charconv>
#include <cmath>
#include <cstring>

char* WriteCoordinateText(char* out, double value) {
    if (std::isnan(value)) {
        std::memcpy(out, "nan", 3);
        return out + 3;
    }
    char* end =
        std::to_chars(out, out + MaxCoordinateTextLength, value, std::chars_format::fixed, 6).ptr;
    if (std::isinf(value)) return end;
    while (end[-1] == '0') --end;
    if (end[-1] == '.') --end;
    if (end - out == 2 && out[0] == '-' && out[1] == '0') {
        out[0] = '0';
        return out + 1;
    }
    return end;
}
