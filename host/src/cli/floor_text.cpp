#include "cli/floor_text.hpp"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace planhost {

namespace {

void AppendCoordinate(std::string& out, double value) {
    char text[400];
    char* end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6).ptr;
    if (std::find(text, end, '.') != end) {
        while (end[-1] == '0') --end;
        if (end[-1] == '.') --end;
    }
    const std::string_view written(text, std::size_t(end - text));
    out += written == "-0" ? "0" : written;
}

}  // namespace

std::string ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::size_t SplitFields(std::string_view line, char separator, std::string_view (&fields)[4]) {
    std::size_t count = 0;
    while (count < 4 && !line.empty()) {
        const std::size_t end = line.find(separator);
        fields[count++] = line.substr(0, end);
        line.remove_prefix(end == std::string_view::npos ? line.size() : end + 1);
    }
    return count;
}

FloorPoint ParsePoint(const std::string_view (&fields)[4]) {
    return {ParseNumber<std::int32_t>(fields[0]), ParseNumber<double>(fields[1]),
            ParseNumber<double>(fields[2]), ParseNumber<double>(fields[3])};
}

bool IsSectionHeader(std::string_view line) {
    return line.find("[Measured_Points]") != std::string_view::npos ||
           line.find("[Design_Points]") != std::string_view::npos;
}

std::u16string NumberText(std::int32_t number) {
    char digits[16];
    const char* end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    return std::u16string(static_cast<const char*>(digits), end);
}

std::u16string Utf16(std::string_view text) {
    return std::u16string(text.begin(), text.end());
}

void AppendPointLine(std::string& out, const ObjectElement& element) {
    const std::string id(element.id.begin(), element.id.end());
    char number[16];
    out.append(number,
               std::to_chars(number, number + sizeof number, ParseNumber<std::int32_t>(id)).ptr);
    for (double value : {element.x, element.y, element.z}) {
        out += '\t';
        AppendCoordinate(out, value);
    }
    out += "\t\r\n";
}

}  // namespace planhost
