#include "report_options.hpp"

#include <gmock/gmock.h>

#include <sstream>

namespace {

using ::testing::HasSubstr;

// The files and tolerances (micrometres) taken, in brackets, or else the error.
std::string Describe(const ParsedOptions& parsed) {
    if (!parsed.error.empty()) return parsed.error;
    std::ostringstream text;
    text.precision(17);
    text << '[' << parsed.options.designFile << ' ' << parsed.options.stakedFile << ' '
         << parsed.options.tolerance.horizontal << ' ' << parsed.options.tolerance.vertical << ']';
    return text.str();
}

// No file at all, and a length that is no number, are driven end to end.
TEST(ReportOptionsTest, TakesTheFilesAndTolerancesOrSaysWhatIsWrong) {
    const struct {
        std::vector<std::string_view> arguments;
        std::string described;  // whole when taken, a part of the error
    } cases[] = {
        {{"site.txt"}, "[site.txt site.txt 10000 10000]"},
        {{"--tolerance-h", "0.02", "d.txt", "--csv", "r.csv", "m.txt", "--tolerance-v", "5e-3"},
         "[d.txt m.txt 20000 5000]"},
        {{"--tolerance-v", "0", "d.txt"}, "[d.txt d.txt 10000 0]"},
        {{"a.txt", "b.txt", "c.txt"}, "one or two points files"},
        {{"--tolerance-v", "-0.01", "d.txt"}, "--tolerance-v wants a length"},
        {{"--tolerance-h", "inf", "d.txt"}, "--tolerance-h wants a length"},
        {{"--tolerance-h", "", "d.txt"}, "--tolerance-h wants a length"},
        {{"d.txt", "--html"}, "--html wants a value"},
        {{"--tolerance", "0.01", "d.txt"}, "unknown option --tolerance"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        EXPECT_THAT(Describe(ParseReportOptions(c.arguments)), HasSubstr(c.described));
    }
}

}  // namespace
