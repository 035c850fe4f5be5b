#include "plan_svg.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kNumberRoom = 12.0;  // pixels a point's number takes beyond its symbols

TEST(PlanSvgTest, RoundNumbersAreOneTwoOrFiveTimesAPowerOfTen) {
    const struct {
        double value;
        double round;
    } cases[] = {{1, 1},   {1.99, 1},  {2, 2},           {7.5, 5},
                 {99, 50}, {0.3, 0.2}, {0.00123, 0.001}, {123456, 100000}};
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(RoundNumberAtMost(c.value), c.round) << c.value;
}

TEST(PlanSvgTest, TheSiteFillsThePictureNorthUpAndTheToleranceIsDrawnLargeEnoughToSee) {
    const struct {
        PlanExtent extent;
        double tolerance;
        double largestDeviation;
    } cases[] = {
        {{155000, 463000, 155012, 463008}, 0.010, 0.004},  // a site in the national grid
        {{-400, -5, 400, 5}, 0.010, 0.030},                // long and narrow, a deviation 3x
        {{3, 4, 3, 4}, 0.002, 0.0},                        // a single point
    };
    for (const auto& c : cases) {
        const PlanScale scale = ScalePlan(c.extent, c.tolerance, c.largestDeviation);
        const double left = scale.X(c.extent.minX);
        const double right = scale.X(c.extent.maxX);
        EXPECT_NEAR(left, scale.width - right, 1e-6);                     // centred
        EXPECT_GT(scale.Y(c.extent.minY), scale.Y(c.extent.minY + 1.0));  // north up
        const double tolerancePixels = c.tolerance * scale.pixelsPerMetre * scale.exaggeration;
        EXPECT_GT(tolerancePixels, 20.0);
        EXPECT_LE(tolerancePixels, 50.0);
        EXPECT_DOUBLE_EQ(RoundNumberAtMost(scale.exaggeration), scale.exaggeration);
        // The outermost points keep their tolerance circle, deviation and number in sight.
        const double reach = std::max(tolerancePixels, c.largestDeviation * scale.pixelsPerMetre *
                                                           scale.exaggeration) +
                             kNumberRoom;
        EXPECT_GE(left - reach, 0.0);
        EXPECT_GE(scale.Y(c.extent.maxY) - reach, 0.0);
        EXPECT_LE(scale.Y(c.extent.minY) + reach, scale.height);
    }
    // Without a length to enlarge the deviations are drawn as they are.
    EXPECT_EQ(ScalePlan({0, 0, 10, 10}, 0.0, 0.0).exaggeration, 1.0);
    // A wild deviation is cut short in the picture rather than making it endless.
    const PlanScale wild =
        ScalePlan({0, 0, 10, 10}, 0.010, std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isfinite(wild.width) && std::isfinite(wild.height));
    EXPECT_LT(wild.width, 2000.0);
}

}  // namespace
