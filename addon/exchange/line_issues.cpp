#include "exchange/line_issues.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
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
// check, as atoi stops there.
std::string_view WithoutPlus(std::string_view field) {
    if (field.size() >= 2 && field[0] == '+' && field[1] != '-' && field[1] != '+')
        field.remove_prefix(1);
    return field;
}

bool StartsWithSign(std::string_view text) {
    return !text.empty() && (text[0] == '+' || text[0] == '-');
}

// atof reads "0x" followed by hexadecimal digits (and a binary exponent); from_chars reads
// them only without the prefix.
bool IsHexPrefix(std::string_view text) {
    return text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
}

}  // namespace

bool IsWholeInteger(std::string_view field) {
    field = WithoutPlus(TrimCSpace(field));
    Int32 value = 0;
    const auto result = std::from_chars(field.data(), field.data() + field.size(), value);
    return !field.empty() && result.ec == std::errc() && result.ptr == field.data() + field.size();
}

bool IsWholeCoordinate(std::string_view field) {
    field = TrimCSpace(field);
    if (StartsWithSign(field)) field.remove_prefix(1);
    auto format = std::chars_format::general;
    if (IsHexPrefix(field)) {
        field.remove_prefix(2);
        format = std::chars_format::hex;
    }
    // atof takes one sign, before the digits and their prefix; from_chars would take another.
    if (field.empty() || StartsWithSign(field)) return false;
    double value = 0.0;
    const auto result = std::from_chars(field.data(), field.data() + field.size(), value, format);
    return result.ec == std::errc() && result.ptr == field.data() + field.size() &&
           std::isfinite(value);
}

// A command may add the lines of one section before those of another that stands above it in
// the file; the alert names the file's first ones all the same.
void LineIssues::Add(std::size_t lineNumber) {
    ++count_;
    const auto at = std::upper_bound(firstLines_.begin(), firstLines_.end(), lineNumber);
    if (std::size_t(at - firstLines_.begin()) >= kLinesNamed) return;
    firstLines_.insert(at, lineNumber);
    if (firstLines_.size() > kLinesNamed) firstLines_.pop_back();
}

std::string LineIssues::Named() const {
    std::string text = firstLines_.size() == 1 ? "line " : "lines ";
    for (std::size_t i = 0; i < firstLines_.size(); ++i)
        text += (i == 0 ? "" : ", ") + std::to_string(firstLines_[i]);
    if (count_ > firstLines_.size())
        text += " and " + std::to_string(count_ - firstLines_.size()) + " more";
    return text;
}

void LineIssues::Report(std::string_view consequence) const {
    if (IsEmpty()) return;
    const char* verb =
        count_ == 1 ? "line of the points file was" : "lines of the points file were";
    ShowAlert("%zu %s not read as written (%s). %.*s", count_, verb, Named().c_str(),
              int(consequence.size()), consequence.data());
}

void ReportNoPointLines(const GS::UniString& path, const TextSummary& text,
                        std::string_view consequence) {
    if (text.empty) return;
    const char* why = text.crLineEndsOnly
                          ? "\": its lines end in CR alone, so it reads as one line (save it "
                            "with CR LF or LF line ends). "
                          : "\". ";
    ShowAlertText(GS::UniString("No point line was found in the points file \"") + path +
                  GS::UniString(why) + GS::UniString(consequence, GS::CC_Default));
}
