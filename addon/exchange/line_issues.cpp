#include "exchange/line_issues.hpp"

#include <charconv>
#include <string>

#include "api/api_base.hpp"
#include "frame/reports.hpp"

namespace {

std::string_view TrimCSpace(std::string_view text) {
    constexpr std::string_view kCSpace = " \t\n\v\f\r";
    const std::size_t first = text.find_first_not_of(kCSpace);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kCSpace) - first + 1);
}

// One leading '+' goes, as from_chars does not take it; a sign after it stays and fails the
// check, as atoi and atof stop there.
std::string_view WithoutPlus(std::string_view field) {
    if (field.size() >= 2 && field[0] == '+' && field[1] != '-' && field[1] != '+')
        field.remove_prefix(1);
    return field;
}

template <typename Number>
bool ParsesWhole(std::string_view field) {
    field = WithoutPlus(TrimCSpace(field));
    Number value{};
    const auto result = std::from_chars(field.data(), field.data() + field.size(), value);
    return !field.empty() && result.ec == std::errc() && result.ptr == field.data() + field.size();
}

std::string LineList(const std::vector<std::size_t>& lines, std::size_t count) {
    std::string text = lines.size() == 1 ? "line " : "lines ";
    for (std::size_t i = 0; i < lines.size(); ++i)
        text += (i == 0 ? "" : ", ") + std::to_string(lines[i]);
    if (count > lines.size()) text += " and " + std::to_string(count - lines.size()) + " more";
    return text;
}

}  // namespace

bool IsWholeInteger(std::string_view field) {
    return ParsesWhole<Int32>(field);
}

bool IsWholeCoordinate(std::string_view field) {
    return ParsesWhole<double>(field);
}

void LineIssues::Add(std::size_t lineNumber) {
    ++count_;
    if (firstLines_.size() < kLinesNamed) firstLines_.push_back(lineNumber);
}

void LineIssues::Report(std::string_view consequence) const {
    if (IsEmpty()) return;
    const char* verb =
        count_ == 1 ? "line of the points file was" : "lines of the points file were";
    ShowAlert("%zu %s not read as written (%s). %.*s", count_, verb,
              LineList(firstLines_, count_).c_str(), int(consequence.size()), consequence.data());
}
