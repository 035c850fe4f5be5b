#include "point_pairing.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

constexpr Int32 kMin = std::numeric_limits<Int32>::min();
constexpr Int32 kMax = std::numeric_limits<Int32>::max();

// Points with these numbers on lines 1, 2, 3, ...
std::vector<NumberedPoint> Side(const std::vector<Int32>& numbers) {
    std::vector<NumberedPoint> points;
    for (std::size_t i = 0; i < numbers.size(); ++i)
        points.push_back({{numbers[i], double(i), 0.0, 0.0}, i + 1});
    return points;
}

// The pairing as one line: "design-staked" index pairs; the indices not staked and those without
// design; each duplicate number with its lines.
std::string Describe(const Pairing& pairing) {
    std::string text = "pairs";
    for (const PointPair& pair : pairing.pairs)
        text += " " + std::to_string(pair.design) + "-" + std::to_string(pair.staked);
    text += "; not staked";
    for (const std::size_t design : pairing.notStaked) text += " " + std::to_string(design);
    text += "; without design";
    for (const std::size_t staked : pairing.withoutDesign) text += " " + std::to_string(staked);
    for (const DuplicateNumber& duplicate : pairing.duplicates) {
        text += "; " + std::to_string(duplicate.number) + ":";
        if (!duplicate.designLines.IsEmpty()) text += " design " + duplicate.designLines.Named();
        if (!duplicate.stakedLines.IsEmpty()) text += " staked " + duplicate.stakedLines.Named();
    }
    return text;
}

TEST(PairByNumberTest, PairsEachNumberOnceAndListsTheRest) {
    const struct {
        const char* name;
        std::vector<Int32> design;
        std::vector<Int32> staked;
        std::string pairing;
    } cases[] = {
        {"in design order, whatever the staked order",
         {3, 1, 2},
         {2, 3, 9},
         "pairs 0-1 2-0; not staked 1; without design 2"},
        {"negative numbers and the ends of the range",
         {-5, kMin, kMax, 0},
         {kMax, -5, 0, kMin},
         "pairs 0-1 1-3 2-0 3-2; not staked; without design"},
        {"nothing staked", {1, 2}, {}, "pairs; not staked 0 1; without design"},
        {"nothing designed", {}, {4, -4}, "pairs; not staked; without design 0 1"},
        {"a number twice in the design pairs nothing",
         {7, 8, 7},
         {7, 8},
         "pairs 1-1; not staked; without design; 7: design lines 1, 3 staked line 1"},
        {"a number twice among the staked, without design",
         {1},
         {5, 5, 1},
         "pairs 0-2; not staked; without design; 5: staked lines 1, 2"},
        {"numbers twice on both sides, listed by number",
         {9, 9, -9},
         {-9, -9, 9},
         "pairs; not staked; without design; -9: design line 3 staked lines 1, 2; 9: design "
         "lines 1, 2 staked line 3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Describe(PairByNumber(Side(c.design), Side(c.staked))), c.pairing);
    }
}

}  // namespace
