#include "point_pairing.hpp"

#include <gmock/gmock.h>

#include <limits>
#include <string>
#include <utility>

namespace {

using ::testing::ElementsAreArray;

constexpr Int32 kMin = std::numeric_limits<Int32>::min();
constexpr Int32 kMax = std::numeric_limits<Int32>::max();

// Points with these numbers on lines 1, 2, 3, ...
std::vector<NumberedPoint> Side(const std::vector<Int32>& numbers) {
    std::vector<NumberedPoint> points;
    for (std::size_t i = 0; i < numbers.size(); ++i)
        points.push_back({{numbers[i], double(i), 0.0, 0.0}, i + 1});
    return points;
}

std::string Describe(const DuplicateNumber& duplicate) {
    return std::to_string(duplicate.number) + ":" +
           (duplicate.designLines.IsEmpty() ? "" : " design " + duplicate.designLines.Named()) +
           (duplicate.stakedLines.IsEmpty() ? "" : " staked " + duplicate.stakedLines.Named());
}

struct PairingCase {
    const char* name;
    std::vector<Int32> design;
    std::vector<Int32> staked;
    std::vector<std::pair<std::size_t, std::size_t>> pairs;  // design index, staked index
    std::vector<std::size_t> notStaked;
    std::vector<std::size_t> withoutDesign;
    std::vector<std::string> duplicates;
};

TEST(PairByNumberTest, PairsEachNumberOnceAndListsTheRest) {
    const PairingCase cases[] = {
        {"in design order, whatever the staked order",
         {3, 1, 2},
         {2, 3, 9},
         {{0, 1}, {2, 0}},
         {1},
         {2},
         {}},
        {"negative numbers and the ends of the range",
         {-5, kMin, kMax, 0},
         {kMax, -5, 0, kMin},
         {{0, 1}, {1, 3}, {2, 0}, {3, 2}},
         {},
         {},
         {}},
        {"nothing staked", {1, 2}, {}, {}, {0, 1}, {}, {}},
        {"nothing designed", {}, {4, -4}, {}, {}, {0, 1}, {}},
        {"a number twice in the design pairs nothing",
         {7, 8, 7},
         {7, 8},
         {{1, 1}},
         {},
         {},
         {"7: design lines 1, 3 staked line 1"}},
        {"a number twice among the staked, without design",
         {1},
         {5, 5, 1},
         {{0, 2}},
         {},
         {},
         {"5: staked lines 1, 2"}},
        {"numbers twice on both sides, listed by number",
         {9, 9, -9},
         {-9, -9, 9},
         {},
         {},
         {},
         {"-9: design line 3 staked lines 1, 2", "9: design lines 1, 2 staked line 3"}},
    };
    for (const PairingCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Pairing pairing = PairByNumber(Side(c.design), Side(c.staked));
        std::vector<std::pair<std::size_t, std::size_t>> pairs;
        for (const PointPair& pair : pairing.pairs) pairs.emplace_back(pair.design, pair.staked);
        EXPECT_THAT(pairs, ElementsAreArray(c.pairs));
        EXPECT_THAT(pairing.notStaked, ElementsAreArray(c.notStaked));
        EXPECT_THAT(pairing.withoutDesign, ElementsAreArray(c.withoutDesign));
        std::vector<std::string> duplicates;
        for (const DuplicateNumber& duplicate : pairing.duplicates)
            duplicates.push_back(Describe(duplicate));
        EXPECT_THAT(duplicates, ElementsAreArray(c.duplicates));
    }
}

}  // namespace
