#include <algorithm>
#include <string_view>

#include "exchange/points_file.hpp"
#include "exchange/points_file_headers.hpp"
#include "settings/text_line_reader.hpp"

namespace {

// Shorter than almost any point line with site coordinates, so that a file's measured lines
// (usually all of them) rarely need the list to grow while it is read.
constexpr UInt64 TypicalPointLineLength = 32;
// Reserving costs address space only, but not without bound for a file that holds no points.
constexpr UInt64 MaxReservedLines = UInt64(1) << 22;

std::string_view TrimBlanks(std::string_view field) {
    const std::size_t first = field.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return field.substr(first, field.find_last_not_of(' ') - first + 1);
}

// The first four TAB-separated fields; the empty piece after a closing TAB is no field.
PointLine SplitPointLine(std::string_view line, std::size_t lineNumber) {
    PointLine result;
    result.lineNumber = lineNumber;
    std::size_t start = 0;
    while (result.count < PointLine::MaxFields) {
        const std::size_t tab = line.find('\t', start);
        if (tab == std::string_view::npos) {
            if (start < line.size()) result.fields[result.count++] = TrimBlanks(line.substr(start));
            break;
        }
        result.fields[result.count++] = TrimBlanks(line.substr(start, tab - start));
        start = tab + 1;
        if (start == line.size()) break;
    }
    return result;
}

// A line holding a header switches the current set and is no data line. With both headers on
// one line, the measured set wins.
bool TakeHeader(std::string_view line, PointLists& lists, std::vector<PointLine>*& current) {
    if (line.find('[') == std::string_view::npos) return false;
    const bool design = line.find(DesignPointsHeader) != std::string_view::npos;
    const bool measured = line.find(MeasuredPointsHeader) != std::string_view::npos;
    if (design) current = &lists.design;
    if (measured) current = &lists.measured;
    return design || measured;
}

}  // namespace

PointLists ReadPointsFile(const IO::Location& path) {
    PointLists lists;
    std::vector<PointLine>* current = &lists.measured;
    TextLineReader reader(path, TextDecoding::Utf16WhenMarked);
    lists.measured.reserve(
        std::size_t(std::min(reader.Length() / TypicalPointLineLength, MaxReservedLines)));
    std::string_view line;
    for (std::size_t lineNumber = 1; reader.Next(&line); ++lineNumber) {
        if (line.empty() || TakeHeader(line, lists, current)) continue;
        current->push_back(SplitPointLine(line, lineNumber));
    }
    lists.text = reader.Summary();
    return lists;
}
