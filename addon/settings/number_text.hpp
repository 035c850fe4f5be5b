// Numbers read from text by the C library's atoi and atof rules, in the classic C locale
// whatever the process locale is: '.' is the only decimal separator.
#pragma once

#include <string_view>

#include "api/api_base.hpp"

// Leading white space, an optional sign, decimal digits up to the first non-digit; 0 without
// digits. Values beyond the signed 32-bit range are clamped to its nearest limit.
Int32 AtoI(std::string_view text);

// The longest prefix that strtod takes (after white space): decimal with an optional exponent,
// hexadecimal, inf/infinity, nan/nan(...). 0.0 without a number; overflow gives +-inf and
// underflow +-0 or a subnormal, as strtod does.
double AtoF(std::string_view text);
