#include "plan_svg.hpp"

#include <gtest/gtest.h>

namespace {

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
    } cases[] = {
        {{155000, 463000, 155012, 463008}, 0.010},  // a site in the national grid
        {{-400, -5, 400, 5}, 0.010},                // long and narrow
        {{3, 4, 3, 4}, 0.002},                      // a single point
    };
    for (const auto& c : cases) {
        const PlanScale scale = ScalePlan(c.extent, c.tolerance);
        const double left = scale.X(c.extent.minX);
        const double right = scale.X(c.extent.maxX);
        EXPECT_GT(left, 0.0);
        EXPECT_NEAR(left, scale.width - right, 1e-6);                     // centred
        EXPECT_GT(scale.Y(c.extent.minY), scale.Y(c.extent.minY + 1.0));  // north up
        EXPECT_LT(scale.Y(c.extent.minY), scale.height);
        EXPECT_GT(scale.Y(c.extent.maxY), 0.0);
        const double tolerancePixels = c.tolerance * scale.pixelsPerMetre * scale.exaggeration;
        EXPECT_GT(tolerancePixels, 20.0);
        EXPECT_LE(tolerancePixels, 50.0);
        EXPECT_DOUBLE_EQ(RoundNumberAtMost(scale.exaggeration), scale.exaggeration);
    }
    // Without a length to enlarge the deviations are drawn as they are.
    EXPECT_EQ(ScalePlan({0, 0, 10, 10}, 0.0).exaggeration, 1.0);
}

}  // namespace
