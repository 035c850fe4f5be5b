// A save that is killed at any moment leaves the old or the new settings file, never a torn one.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "settings/settings_store.hpp"
#include "settings_test_home.hpp"

namespace {

std::string FileWith(const std::string& symbolSize) {
    return "Username=\r\nMinimized=0\r\nProjectUnits=\r\nSymbolSize=" + symbolSize +
           "\r\nStartNumber=\r\nLibrary=\r\n";
}

// The median time of a few saves on this machine as it is now.
long long TypicalSaveMicroseconds() {
    std::vector<long long> times;
    for (int i = 0; i < 5; ++i) {
        const auto start = std::chrono::steady_clock::now();
        WriteSettings();
        times.push_back(std::chrono::duration_cast<std::chrono::microseconds>(
                            std::chrono::steady_clock::now() - start)
                            .count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

TEST(SettingsKillTest, KilledSavesLeaveOldOrNewFile) {
    SettingsTestHome home;
    // Long values widen the window in which a torn write could be seen.
    const std::string first(1900, '1');
    const std::string second(1500, '2');
    ReadSettings();
    SetSymbolSize(GS::UniString(first.c_str()));
    ASSERT_TRUE(WriteSettings());

    // A kill lands at a random time within the first or the second save of a child: the child
    // tells each finished save, so the kills follow its pace however busy the machine is.
    const long long saveMicroseconds = TypicalSaveMicroseconds();
    std::mt19937 random(5);
    std::uniform_int_distribution<int> savesBeforeKill(0, 1);
    std::uniform_int_distribution<long long> delayMicroseconds(0, 2 * saveMicroseconds);
    int seenSecond = 0;
    for (int kill = 0; kill < 200; ++kill) {
        int saved[2];
        ASSERT_EQ(::pipe(saved), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;) {
                for (const std::string* value : {&second, &first}) {
                    SetSymbolSize(GS::UniString(value->c_str()));
                    WriteSettings();
                    if (::write(saved[1], "s", 1) != 1) ::_exit(1);
                }
            }
        }
        ::close(saved[1]);
        char done = 0;
        bool told = true;
        for (int i = savesBeforeKill(random); i > 0 && told; --i)
            told = ::read(saved[0], &done, 1) == 1;
        std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds(random)));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        ::close(saved[0]);
        ASSERT_TRUE(told) << "the child ended before it saved";
        const std::string content = ReadWholeFile(home.IniFile());
        ASSERT_TRUE(content == FileWith(first) || content == FileWith(second))
            << "after kill " << kill << ": " << content.size() << " bytes";
        seenSecond += content == FileWith(second);
    }
    // Kills landed after a rename too, not only before the first one.
    EXPECT_GT(seenSecond, 0);
}

}  // namespace
