// Numbers in points and settings files do not follow the process locale.
#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <stdexcept>
#include <string>

#include "exchange/points_file.hpp"
#include "platform_test_folder.hpp"
#include "settings/number_text.hpp"
#include "settings/text_conversions.hpp"

namespace {

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
    const std::optional<PointRecord> read = ToPointRecord(ReadPointsFile(file).measured.at(0));
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->x, 155000.4);
    EXPECT_EQ(read->z, 1e300);
}

}  // namespace
