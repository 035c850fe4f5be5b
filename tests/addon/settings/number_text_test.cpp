// Numbers and text as points and settings files hold them: the C library's atoi and atof rules,
// plain decimal back, the default code page, and no part for the process locale.
#include "settings/number_text.hpp"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstring>
#include <limits>
#include <locale>
#include <stdexcept>
#include <string>

#include "exchange/points_file.hpp"
#include "platform_test_folder.hpp"
#include "settings/text_conversions.hpp"

namespace {

TEST(AtoITest, FollowsAtoiAndClampsToInt32) {
    constexpr Int32 max = std::numeric_limits<Int32>::max();
    constexpr Int32 min = std::numeric_limits<Int32>::min();
    // A view is read to its end only: "1" of "12.5678".
    const struct {
        std::string_view text;
        Int32 expected;
    } cases[] = {{"42", 42},
                 {std::string_view("12.5678").substr(0, 1), 1},
                 {"0", 0},
                 {"-42", -42},
                 {"1234567", 1234567},
                 {" \t\n\v\f\r-3", -3},
                 {"+7", 7},
                 {"0012", 12},
                 {"P12", 0},
                 {"12A", 12},
                 {"", 0},
                 {"-", 0},
                 {"+-1", 0},
                 {"2147483647", max},
                 {"2147483648", max},
                 {"-2147483648", min},
                 {"-2147483649", min},
                 {"99999999999999999999999", max},
                 {"-00000000000000000000000000000000000000000000005", -5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        EXPECT_EQ(AtoI(c.text), c.expected);
    }
}

bool SameDouble(double a, double b) {
    return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(AtoFTest, FollowsStrtodInTheClassicLocale) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    // A view is read to its end only: "12.5" of "12.5678".
    const struct {
        std::string_view text;
        double expected;
    } cases[] = {{"12.5", 12.5},
                 {std::string_view("12.5678").substr(0, 4), 12.5},
                 {" \t\n\v\f\r12.5", 12.5},
                 {"+3", 3.0},
                 {"-3.25", -3.25},
                 {"12,5", 12.0},
                 {"1e", 1.0},
                 {"1.5E2x", 150.0},
                 {".5", 0.5},
                 {".", 0.0},
                 {"-", 0.0},
                 {"+-5", 0.0},
                 {"abc", 0.0},
                 {"", 0.0},
                 {"-0", -0.0},
                 {"0x1A", 26.0},
                 {"0X1p4", 16.0},
                 {"-0x10", -16.0},
                 {"0x.8", 0.5},
                 {"0x", 0.0},
                 {"-0xg", -0.0},
                 {"0x-1", 0.0},
                 {"inf", inf},
                 {"-Infinity", -inf},
                 {"infinit", inf},
                 {"nan", nan},
                 {"nan(123)", nan},
                 {"1e400", inf},
                 {"-1e400", -inf},
                 {"1e-400", 0.0},
                 {"-1e-400", -0.0},
                 {"4.9e-324", std::numeric_limits<double>::denorm_min()},
                 {"1.23457e+06", 1234570.0}};
    for (const auto& c : cases)
        EXPECT_TRUE(SameDouble(AtoF(c.text), c.expected)) << '"' << c.text << '"';
}

// A locale whose decimal separator is ',' and which groups thousands, for one test: the C
// library's, and the C++ global one where the standard library has it (MinGW's knows "C" only).
class CommaLocale {
public:
    CommaLocale() {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"}) {
            if (std::setlocale(LC_ALL, name) == nullptr) continue;
            active_ = true;
            try {
                global_ = std::locale::global(std::locale(name));
            } catch (const std::runtime_error&) {
                // the C library's locale alone
            }
            return;
        }
    }
    ~CommaLocale() {
        if (!active_) return;
        std::setlocale(LC_ALL, "C");
        std::locale::global(global_);
    }
    bool Active() const { return active_; }

private:
    bool active_ = false;
    std::locale global_;
};

TEST(ClassicLocaleTest, CommaLocaleChangesNoNumber) {
    CommaLocale locale;
    if (!locale.Active()) GTEST_SKIP() << "no de_DE locale here (localedef -i de_DE -f UTF-8)";
    EXPECT_EQ(AtoF("12.5"), 12.5);
    EXPECT_EQ(AtoF("12,5"), 12.0);
    EXPECT_EQ(AtoF("0x1.8p1"), 3.0);
    EXPECT_EQ(AtoF("1.5e400"), AtoF("inf"));
    EXPECT_EQ(IntToNarrowText(1234567), "1234567");

    TestFolder folder;
    const IO::Location file(GS::UniString((folder / "points.txt").c_str(), GS::CC_UTF8));
    ASSERT_TRUE(WritePointsFile(file, {{1234567, 155000.4, -3.25, 1e300}}, {}));
    const std::string written = ReadWholeFile(folder / "points.txt");
    const std::string start = "[Measured_Points]\r\n1234567\t155000.4\t-3.25\t1000000000";
    EXPECT_EQ(written.substr(0, start.size()), start);
}

}  // namespace
