#include "exchange/coordinate_text.hpp"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

#include "settings/number_text.hpp"

namespace {

std::string CoordinateText(double value) {
    char buffer[MaxCoordinateTextLength];
    return std::string(buffer, WriteCoordinateText(buffer, value));
}

struct FormatCase {
    double value;
    std::string expected;
};

TEST(CoordinateTextTest, PlainDecimalToTheMicrometre) {
    const double inf = std::numeric_limits<double>::infinity();
    const FormatCase cases[] = {
        {12.5, "12.5"},
        {0.01, "0.01"},
        {3, "3"},
        {0, "0"},
        {-3.25, "-3.25"},
        {100, "100"},
        {1e6, "1000000"},
        {123.456789, "123.456789"},
        {12345.678, "12345.678"},
        {155000.4, "155000.4"},
        {1234567.891, "1234567.891"},
        {0.00001, "0.00001"},
        {0.0000006, "0.000001"},
        {-0.0000006, "-0.000001"},
        {1.0000004, "1"},
        {-0.0, "0"},
        {-0.0000001, "0"},
        {0.0000004, "0"},
        {std::numeric_limits<double>::denorm_min(), "0"},
        {inf, "inf"},
        {-inf, "-inf"},
        {std::numeric_limits<double>::quiet_NaN(), "nan"},
        {-std::numeric_limits<double>::quiet_NaN(), "nan"},
    };
    for (const FormatCase& c : cases) EXPECT_EQ(CoordinateText(c.value), c.expected) << c.value;
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

TEST(CoordinateTextTest, MicrometreValuesReadBackExactly) {
    std::mt19937_64 random(7);
    std::uniform_int_distribution<long long> micrometres(-10'000'000'000'000LL,
                                                         10'000'000'000'000LL);
    for (int i = 0; i < 100000; ++i) {
        const double value = double(micrometres(random)) / 1e6;
        ASSERT_EQ(AtoF(CoordinateText(value)), value) << CoordinateText(value);
    }
}

TEST(CoordinateTextTest, AnyValueReadsBackWithinHalfAMicrometre) {
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> metres(-2e6, 2e6);
    for (int i = 0; i < 100000; ++i) {
        const double value = metres(random);
        ASSERT_LE(std::fabs(AtoF(CoordinateText(value)) - value), 0.5e-6 + 1e-9) << value;
    }
}

}  // namespace
