#include "deviation.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(DeviationTest, ExactlyAtTheToleranceIsWithinAndBeyondADoubleIsOutside) {
    const struct {
        const char* name;
        PointRecord design;
        PointRecord staked;
        const char* verdict;
        double horizontal;                  // micrometres
        Tolerance tolerance{10000, 10000};  // micrometres
    } cases[] = {
        {"10 mm along x", {1, 0, 0, 0}, {1, 0.01, 0, 0}, "within", 10000},
        // 12.01 - 12 is 0.009999999999999787 in binary, 155000.133 - 155000.123 is above 0.01.
        {"10 mm from 12 m", {1, 12, 0, 0}, {1, 12.01, 0, 0}, "within", 10000},
        {"10 mm in the grid", {1, 155000.123, 5, 0}, {1, 155000.133, 5, 0}, "within", 10000},
        {"6 and 8 mm make 10", {1, 1, 1, 0}, {1, 1.006, 0.992, 0}, "within", 10000},
        {"a micrometre beyond", {1, 0, 0, 0}, {1, 0.010001, 0, 0}, "outside H", 10001},
        {"10 mm down", {1, 0, 0, 1}, {1, 0, 0, 0.99}, "within", 0},
        {"a micrometre below", {1, 0, 0, 0}, {1, 0, 0, -0.010001}, "outside V", 0},
        {"both", {1, 0, 0, 0}, {1, 0.02, 0, 0.02}, "outside H+V", 20000},
        {"no tolerance, no deviation", {1, 5, 5, 5}, {1, 5, 5, 5}, "within", 0, {0, 0}},
        {"no tolerance, a micrometre", {1, 5, 5, 5}, {1, 5.000001, 5, 5}, "outside H", 1, {0, 0}},
        {"wider tolerance", {1, 0, 0, 0}, {1, 0.03, 0.04, 0.02}, "within", 50000, {50000, 20000}},
        {"beyond a double", {1, -1e308, 0, 0}, {1, 1e308, 0, 0}, "outside H", HUGE_VAL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Deviation deviation = MeasureDeviation(c.design, c.staked);
        EXPECT_STREQ(VerdictText(Judge(deviation, c.tolerance)), c.verdict);
        EXPECT_EQ(deviation.horizontal, c.horizontal);
    }
    // No number goes astray: a difference beyond a double is the worst.
    EXPECT_EQ(Severity(MeasureDeviation({1, -1e308, 0, 0}, {1, 1e308, 0, 0}), {10000, 10000}),
              HUGE_VAL);
}

}  // namespace
