// The points text as the floor command reads and writes it: plainly, without the add-on's
// checks and reports (the input has to be read to do the host's share of the work at all).
#pragma once

#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/element.hpp"

namespace planhost {

struct FloorPoint {
    std::int32_t number = 0;
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

// The file's bytes; empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);

// Calls take(line) for each line of text, without its CR LF or LF.
template <typename Take>
void ForEachLine(std::string_view text, Take take) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        take(line);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
}

// Cuts the line at each separator into up to four fields; how many it found.
std::size_t SplitFields(std::string_view line, char separator, std::string_view (&fields)[4]);

// The number at the start of text; 0 when there is none.
template <typename Number>
Number ParseNumber(std::string_view text) {
    Number value{};
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

FloorPoint ParsePoint(const std::string_view (&fields)[4]);
bool IsSectionHeader(std::string_view line);

// A point number as an element ID text.
std::u16string NumberText(std::int32_t number);
// Text of the file (numbers, marker styles) as element text, byte for character.
std::u16string Utf16(std::string_view text);

// One data line as the add-on's points file has it: number, x, y, z, each followed by a TAB,
// coordinates fixed to the micrometre without trailing zeros, CR LF.
void AppendPointLine(std::string& out, const ObjectElement& element);

}  // namespace planhost
