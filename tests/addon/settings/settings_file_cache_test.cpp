#include "settings/settings_file_cache.hpp"

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace std::chrono_literals;

constexpr Int64 Second = 1000000000;
const std::chrono::system_clock::time_point Now{std::chrono::seconds(1'700'000'000)};
const IO::Location File(GS::UniString("/home/user/.config/Orvane/Stakewise/Stakewise.ini"));

// A stamp of a file saved `age` before Now.
IO::FileStamp SavedAgo(std::chrono::nanoseconds age) {
    const Int64 saved = (Now.time_since_epoch() - age).count();
    return {2049, 131, 96, saved, saved};
}

Settings WithSymbolSize(const char* size) {
    Settings settings = DefaultSettings();
    settings.SymbolSize = GS::UniString(size);
    return settings;
}

TEST(ParsedSettingsFileTest, ReusesOnlyTheSameFileWithTheSameStamp) {
    const IO::FileStamp kept = SavedAgo(10s);
    const struct {
        const char* change;
        std::function<void(IO::FileStamp&)> apply;
    } changes[] = {
        {"another device", [](IO::FileStamp& s) { s.device += 1; }},
        {"another inode (replaced by a rename)", [](IO::FileStamp& s) { s.inode += 1; }},
        {"another length", [](IO::FileStamp& s) { s.size -= 1; }},
        {"written in place, same length", [](IO::FileStamp& s) { s.modifiedNs += 1; }},
        {"entry changed (chmod, utime)", [](IO::FileStamp& s) { s.changedNs += 1; }},
    };
    ParsedSettingsFile parsed;
    parsed.Keep(File, kept, WithSymbolSize("3"), Now);
    ASSERT_NE(parsed.Find(File, kept), nullptr);
    EXPECT_EQ(parsed.Find(File, kept)->SymbolSize, GS::UniString("3"));
    for (const auto& [change, apply] : changes) {
        SCOPED_TRACE(change);
        IO::FileStamp stamp = kept;
        apply(stamp);
        EXPECT_EQ(parsed.Find(File, stamp), nullptr);
    }
    const IO::Location other(GS::UniString("/home/other/.config/Orvane/Stakewise/Stakewise.ini"));
    EXPECT_EQ(parsed.Find(other, kept), nullptr);
    parsed.Forget();
    EXPECT_EQ(parsed.Find(File, kept), nullptr);
}

TEST(ParsedSettingsFileTest, KeepsNothingForAFileThatChangedMomentsAgo) {
    const struct {
        std::chrono::nanoseconds age;
        bool kept;
    } cases[] = {{0s, false}, {1999ms, false}, {2s, true}, {1h, true}, {-5s, false}};
    for (const auto& [age, kept] : cases) {
        SCOPED_TRACE(age.count());
        ParsedSettingsFile parsed;
        const IO::FileStamp stamp = SavedAgo(age);
        parsed.Keep(File, stamp, WithSymbolSize("1"), Now);
        EXPECT_EQ(parsed.Find(File, stamp) != nullptr, kept);
    }
    // A modified time set into the past by hand does not settle a freshly changed entry.
    IO::FileStamp touched = SavedAgo(1h);
    touched.changedNs = (Now.time_since_epoch() - 1s).count();
    EXPECT_FALSE(IsSettled(touched, Now));
    touched.changedNs -= 5 * Second;
    EXPECT_TRUE(IsSettled(touched, Now));
}

}  // namespace
