#include "exchange/coordinate_text.hpp"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstdio>
#include <limits>
#include <string>

#include "settings/number_text.hpp"

namespace {

std::string CoordinateText(double value) {
    char buffer[MaxCoordinateTextLength];
    return std::string(buffer, WriteCoordinateText(buffer, value));
}

TEST(CoordinateTextTest, PlainDecimalToTheMicrometre) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double value;
        std::string expected;
    } cases[] = {{12.5, "12.5"},
                 {0.01, "0.01"},
                 {3, "3"},
                 {0, "0"},
                 {-3.25, "-3.25"},
                 {100, "100"},
                 {123.456789, "123.456789"},
                 {155000.4, "155000.4"},
                 {1234567.891, "1234567.891"},
                 {0.00001, "0.00001"},
                 {0.0000006, "0.000001"},
                 {-0.0000006, "-0.000001"},
                 {1.0000004, "1"},
                 {-0.0, "0"},
                 {0.0000004, "0"},
                 {inf, "inf"},
                 {-inf, "-inf"},
                 {nan, "nan"},
                 {-nan, "nan"}};
    for (const auto& c : cases) EXPECT_EQ(CoordinateText(c.value), c.expected) << c.value;
}

TEST(CoordinateTextTest, HugeValuesInFullWithoutExponent) {
    for (const double value : {1e300, -DBL_MAX, DBL_MAX}) {
        char expected[400];
        std::snprintf(expected, sizeof expected, "%.0f", value);
        const std::string text = CoordinateText(value);
        EXPECT_EQ(text, expected);
        EXPECT_LE(text.size(), MaxCoordinateTextLength);
        EXPECT_EQ(AtoF(text), value);
    }
}

}  // namespace
