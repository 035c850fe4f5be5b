// Turns parsed resources into the image bytes and the C++ file that defines them.
#pragma once

#include <string>
#include <vector>

#include "grc_parser.hpp"

namespace rescomp {

// The image that RSOpenResourceModule opens (layout in RS/ImageFormat.hpp). Throws
// std::length_error when it would not fit the 32-bit offsets.
std::string BuildImage(const std::vector<Resource>& resources);

// C++ source defining `extern const unsigned char SYMBOL[]` and `extern const std::size_t
// SYMBOLSize`.
std::string ImageAsCpp(const std::string& image, const std::string& symbol);

}  // namespace rescomp
