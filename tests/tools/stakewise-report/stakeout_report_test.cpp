#include "stakeout_report.hpp"

#include <gmock/gmock.h>

#include <string>

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

using Fields = std::vector<std::string>;

// Point lines as the reader yields them, on lines 1, 2, 3, ...
std::vector<PointLine> Lines(const std::vector<Fields>& lines) {
    std::vector<PointLine> result;
    for (const Fields& fields : lines) {
        PointLine line;
        for (const std::string& field : fields) line.fields[line.count++] = field;
        line.lineNumber = result.size() + 1;
        result.push_back(line);
    }
    return result;
}

StakeoutReport Report(const std::vector<Fields>& design, const std::vector<Fields>& staked) {
    return MakeStakeoutReport("design.txt", TakeSide(Lines(design)), "staked.txt",
                              TakeSide(Lines(staked)), {10000, 10000});
}

// The summary's wording, and counting within and outside, are driven end to end; what counts
// here is what an empty side and a duplicate number leave.
TEST(StakeoutReportTest, SummaryAndWhetherEveryStakedPointIsWithin) {
    const Fields origin = {"1", "0", "0", "0"};
    const Fields second = {"2", "5", "0", "0"};
    const Fields firstAgain = {"1", "0.5", "0", "0"};
    const struct {
        const char* name;
        std::vector<Fields> design;
        std::vector<Fields> staked;
        int notStaked;
        bool allWithin;
    } cases[] = {
        {"nothing staked yet", {origin, second}, {}, 2, true},
        {"a design number twice, not staked", {origin, firstAgain}, {}, 0, true},
        {"a staked number twice cannot be judged", {origin}, {origin, firstAgain}, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const StakeoutReport report = Report(c.design, c.staked);
        EXPECT_EQ(SummaryLine(report), "0 of 0 staked points within tolerance; " +
                                           std::to_string(c.notStaked) +
                                           " not staked; 0 without design");
        EXPECT_EQ(AllStakedWithinTolerance(report), c.allWithin);
    }
}

TEST(StakeoutReportTest, LinesThatAreNoPointAreLeftOutAndNamed) {
    const StakeoutReport report = Report({{"1", "0", "0"},
                                          {"2", "inf", "0", "0"},
                                          {"P3", "0", "0", "0"},
                                          {"4", "1e400", "0", "0"},
                                          {"5", "12,5", "0", "0"},
                                          {"6"}},
                                         {{"0", "0", "0", "0"}, {"1", "nan", "0", "0"}});
    // P3 is read as 0, as the add-on's import would place it, and pairs with the staked 0.
    ASSERT_EQ(report.pairing.pairs.size(), 1u);
    EXPECT_EQ(report.design.points[report.pairing.pairs[0].design].line, 3u);
    EXPECT_THAT(report.design.points, testing::SizeIs(2));
    EXPECT_THAT(
        ReportNotes(report),
        ElementsAre("design.txt: 2 lines with fewer than four fields, left out (lines 1, 6)",
                    "design.txt: 2 lines with a coordinate that is no finite number, "
                    "left out (lines 2, 4)",
                    "design.txt: 2 lines with a field that is not just a number, read as "
                    "far as it is one (lines 3, 5)",
                    "staked.txt: 1 line with a coordinate that is no finite number, left "
                    "out (line 2)"));
}

TEST(StakeoutReportTest, WorstFirstPutsEveryPointOutsideBeforeThoseWithin) {
    const StakeoutReport report = Report(
        {{"1", "0", "0", "0"}, {"2", "0", "0", "0"}, {"3", "0", "0", "0"}, {"4", "0", "0", "0"}},
        {{"1", "0.005", "0", "0"},
         {"2", "0.013", "0.004", "0"},  // 13.6 mm: 1.36 times the tolerance
         {"3", "0", "0", "-0.014"},     // 1.4 times the vertical tolerance
         {"4", "0.010", "0", "0"}});
    std::vector<Int32> numbers;
    for (const std::size_t pair : PairsWorstFirst(report))
        numbers.push_back(report.design.points[report.pairing.pairs[pair].design].point.number);
    EXPECT_THAT(numbers, ElementsAreArray({3, 2, 4, 1}));
}

}  // namespace
