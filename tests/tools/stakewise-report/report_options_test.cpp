#include "report_options.hpp"

#include <gmock/gmock.h>

namespace {

using ::testing::HasSubstr;

struct OptionsCase {
    std::vector<std::string_view> arguments;
    std::string error;  // a part of the message; empty when the line is right
    std::string design = "";
    std::string staked = "";
    double toleranceH = 10000;  // micrometres
    double toleranceV = 10000;
};

// No file at all, and a length that is no number, are driven end to end.
TEST(ReportOptionsTest, TakesTheFilesAndTolerancesOrSaysWhatIsWrong) {
    const OptionsCase cases[] = {
        {{"site.txt"}, "", "site.txt", "site.txt"},
        {{"--tolerance-h", "0.02", "d.txt", "--csv", "r.csv", "m.txt", "--tolerance-v", "5e-3"},
         "",
         "d.txt",
         "m.txt",
         20000,
         5000},
        {{"--tolerance-v", "0", "d.txt"}, "", "d.txt", "d.txt", 10000, 0},
        {{"a.txt", "b.txt", "c.txt"}, "one or two points files"},
        {{"--tolerance-v", "-0.01", "d.txt"}, "--tolerance-v wants a length"},
        {{"--tolerance-h", "inf", "d.txt"}, "--tolerance-h wants a length"},
        {{"--tolerance-h", "", "d.txt"}, "--tolerance-h wants a length"},
        {{"d.txt", "--html"}, "--html wants a value"},
        {{"--tolerance", "0.01", "d.txt"}, "unknown option --tolerance"},
    };
    for (const OptionsCase& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        const ParsedOptions parsed = ParseReportOptions(c.arguments);
        if (!c.error.empty()) {
            EXPECT_THAT(parsed.error, HasSubstr(c.error));
            continue;
        }
        EXPECT_EQ(parsed.error, "");
        EXPECT_EQ(parsed.options.designFile, c.design);
        EXPECT_EQ(parsed.options.stakedFile, c.staked);
        EXPECT_EQ(parsed.options.tolerance.horizontal, c.toleranceH);
        EXPECT_EQ(parsed.options.tolerance.vertical, c.toleranceV);
    }
}

}  // namespace
