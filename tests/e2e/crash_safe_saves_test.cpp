// Saves that survive a crash: planhost is killed (SIGKILL) at many points in time while it
// saves the settings, exports a points file or commits the project. Afterwards each file is
// its old version or its new one, never a mix or a truncation, and the project opens. Stopped
// by SIGINT or SIGTERM instead, planhost's last line says which version the project is.
//
// CRASH_KILLS sets the kills per scenario (default 50; scripts/crash-saves.sh runs 350 each):
// the settings, the export, and the project by SIGKILL, SIGINT and SIGTERM.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "planhost_runner.hpp"

namespace planhost_test {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::microseconds;

constexpr const char* kOldSettings =
    "Username=site\r\nMinimized=0\r\nProjectUnits=\r\nSymbolSize=1\r\nStartNumber=20\r\n"
    "Library=2\r\n";
constexpr const char* kOldExport = "[Design_Points]\r\n99\t9\t9\t9\t\r\n";

// Whether the process has a handler of its own for the signal yet: before it does, the signal
// would end it as it ends any program that has barely started.
bool Catches(int pid, int signal) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("SigCgt:", 0) == 0)
            return (std::stoull(line.substr(7), nullptr, 16) >> (signal - 1)) & 1;
    return false;
}

int KillsPerScenario() {
    const char* text = std::getenv("CRASH_KILLS");
    return text == nullptr ? 50 : std::atoi(text);
}

// A point list of some length, so that the import's commit has work to do.
std::string PointsFile(int count) {
    std::string text = "[Measured_Points]\r\n";
    for (int i = 1; i <= count; ++i) {
        const std::string n = std::to_string(i);
        text += n + "\t" + n + ".5\t-" + n + ".25\t0.01\t\r\n";
    }
    return text;
}

// Before it knows the project, a stopped run says only this much.
const std::string kNothingSaved = "planhost: stopped; nothing was saved";
const std::string kSaved = "planhost: stopped; the command's work was saved in the project plan.db";

// How the killed runs ended, for the figures.
struct Tally {
    int oldVersion = 0;
    int newVersion = 0;
    int finishedBeforeKill = 0;
};

class CrashSafeSavesTest : public ::testing::Test {
protected:
    void SetUp() override {
        planhost.WriteFile(SettingsFile(), kOldSettings);
        planhost.WriteFile("points.txt", PointsFile(40));
        for (const char* id : {"7", "8"}) {
            const RunResult run =
                planhost.Run({"place", "--part", "Stakemark.gsm", "--id", id, "--x", id, "--y", "1",
                              "--param", "strMarkerStyle=Cross in Circle"},
                             false);
            ASSERT_EQ(run.exitCode, 0) << run.err;
        }
        plan_ = planhost.ReadFile("plan.db");
    }

    std::filesystem::path SettingsFile() const {
        return planhost.configHome() / "Orvane" / "Stakewise" / "Stakewise.ini";
    }

    void Restore() {
        std::filesystem::remove(planhost.folder() / "plan.db-journal");
        planhost.WriteFile("plan.db", plan_);
        planhost.WriteFile(SettingsFile(), kOldSettings);
        planhost.WriteFile("exported.txt", kOldExport);
    }

    // The plan as `list` prints it, without the GUIDs that every import makes anew.
    std::vector<std::string> ListPlan() {
        const RunResult list = planhost.Run({"list"}, false);
        EXPECT_EQ(list.exitCode, 0) << "the project does not open: " << list.err;
        std::vector<std::string> objects;
        for (const std::string& line : list.outLines) {
            const std::size_t guid = line.find("\"guid\":\"");
            const std::size_t end = line.find("\",", guid == std::string::npos ? 0 : guid + 8);
            objects.push_back(guid == std::string::npos || end == std::string::npos
                                  ? line
                                  : line.substr(0, guid) + line.substr(end + 2));
        }
        return objects;
    }

    // Starts planhost and sends it `signal` after `delay` (counted from when it catches the
    // signal, unless that is SIGKILL). Its run, with signal 0 when it had ended before.
    RunResult RunAndKill(const std::vector<std::string>& args, microseconds delay, int signal) {
        const StartedRun started = planhost.Start(args, false);
        const auto deadline = Clock::now() + std::chrono::seconds(10);
        while (signal != SIGKILL && !Catches(started.pid, signal) && Clock::now() < deadline)
            std::this_thread::sleep_for(microseconds(200));
        std::this_thread::sleep_for(delay);
        kill(started.pid, signal);
        return planhost.Finish(started);
    }

    // The wall time of one whole run, for spreading the kills over it.
    microseconds TimeOneRun(const std::vector<std::string>& args) {
        Restore();
        const auto start = Clock::now();
        const RunResult run = planhost.Run(args, false);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        return std::chrono::duration_cast<microseconds>(Clock::now() - start);
    }

    // The median of a few runs: one run alone may be much slower or faster than the kills' runs.
    microseconds TypicalRunTime(const std::vector<std::string>& args) {
        std::vector<microseconds> times;
        for (int i = 0; i < 5; ++i) times.push_back(TimeOneRun(args));
        std::sort(times.begin(), times.end());
        return times[times.size() / 2];
    }

    // Sends the command `signal` at evenly spread times over its usual run; `check` judges
    // what is on disk afterwards and what the run printed, and says whether it is the new
    // version.
    template <typename Check>
    Tally KillRepeatedly(const std::vector<std::string>& args, Check check, int signal = SIGKILL) {
        const microseconds whole = TypicalRunTime(args);
        const int kills = KillsPerScenario();
        Tally tally;
        for (int i = 0; i < kills && !HasFailure(); ++i) {
            Restore();
            // To a bit past the run's end, from a quarter of it for a kill (start-up is of no
            // interest), from its start for a stop request (every moment has its own line).
            const microseconds from = signal == SIGKILL ? whole / 4 : microseconds(0);
            const microseconds delay = from + (whole * 11 / 10 - from) * (2 * i + 1) / (2 * kills);
            const RunResult run = RunAndKill(args, delay, signal);
            if (run.signal != signal) ++tally.finishedBeforeKill;
            (check(run) ? tally.newVersion : tally.oldVersion)++;
        }
        std::printf("%s: %d kills in a run of %lld us: %d old, %d new, %d ended before the kill\n",
                    args[0].c_str(), kills, static_cast<long long>(whole.count()), tally.oldVersion,
                    tally.newVersion, tally.finishedBeforeKill);
        // The temporary files that the killed saves left go with the next save of each file.
        TimeOneRun(args);
        EXPECT_THAT(TemporaryFiles(planhost.folder()), ::testing::IsEmpty());
        EXPECT_THAT(TemporaryFiles(SettingsFile().parent_path()), ::testing::IsEmpty());
        return tally;
    }

    static std::vector<std::string> TemporaryFiles(const std::filesystem::path& folder) {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            const std::string name = entry.path().filename().string();
            if (name.starts_with('.') && name.find(".tmp") != std::string::npos)
                names.push_back(name);
        }
        return names;
    }

    PlanhostRunner planhost;
    std::string plan_;
};

TEST_F(CrashSafeSavesTest, SettingsFileIsOldOrNew) {
    const std::vector<std::string> args = {"settings", "--symbol-size", "3", "--start-number",
                                           "40",       "--library",     "1"};
    TimeOneRun(args);
    const std::string saved = planhost.ReadFile(SettingsFile());
    ASSERT_NE(saved, kOldSettings);
    KillRepeatedly(args, [&](const RunResult&) {
        const std::string now = planhost.ReadFile(SettingsFile());
        EXPECT_THAT(now, ::testing::AnyOf(kOldSettings, saved)) << "torn settings file";
        return now == saved;
    });
    ListPlan();
}

TEST_F(CrashSafeSavesTest, ExportedFileIsOldOrNew) {
    const std::vector<std::string> args = {"export", "exported.txt"};
    TimeOneRun(args);
    const std::string exported = planhost.ReadFile("exported.txt");
    ASSERT_NE(exported, kOldExport);
    KillRepeatedly(args, [&](const RunResult&) {
        const std::string now = planhost.ReadFile("exported.txt");
        EXPECT_THAT(now, ::testing::AnyOf(kOldExport, exported)) << "torn points file";
        return now == exported;
    });
}

// Only files of the exact temporary name of the same file go, and only those that no live save
// holds (this test holds one as a save would).
TEST_F(CrashSafeSavesTest, NextSaveRemovesOnlyDeadLeftoversOfItsFile) {
    const std::filesystem::path folder = SettingsFile().parent_path();
    const std::string dead = ".Stakewise.ini.tmp0123456789ab";
    const std::string live = ".Stakewise.ini.tmpba9876543210";
    const std::vector<std::string> kept = {
        live,
        ".Stakewise.ini.tmp",
        ".Stakewise.ini.tmp0123456789a",
        ".Stakewise.ini.tmp0123456789abc",
        ".Stakewise.ini.tmp0123456789AB",
        ".Stakewise.ini.tmp0123456789ag",
        "Stakewise.ini.tmp0123456789ab",
        ".Stakewise.dat.tmp0123456789ab",
        ".Stakewise.ini.tmpcccccccccccc",  // a folder
        ".Stakewise.ini.tmpdddddddddddd",  // a symbolic link
    };
    for (const std::string& name : kept) planhost.WriteFile(folder / name, "leftover");
    planhost.WriteFile(folder / dead, "leftover");
    std::filesystem::remove(folder / kept[8]);
    std::filesystem::create_directory(folder / kept[8]);
    std::filesystem::remove(folder / kept[9]);
    std::filesystem::create_symlink(dead, folder / kept[9]);
    const int held = open((folder / live).c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(flock(held, LOCK_EX), 0);

    const RunResult run = planhost.Run({"settings", "--symbol-size", "3", "--start-number", "4"});
    close(held);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_THAT(planhost.ReadFile(SettingsFile()), ::testing::HasSubstr("SymbolSize=3\r\n"));
    EXPECT_FALSE(std::filesystem::exists(folder / dead));
    for (const std::string& name : kept)
        EXPECT_TRUE(std::filesystem::exists(std::filesystem::symlink_status(folder / name)))
            << name;
}

// Killed, or stopped by Ctrl-C or SIGTERM, at any moment: the project is as before the command
// or as after it, the summary never comes before the save, and a stopped run's last line says
// which.
TEST_F(CrashSafeSavesTest, ProjectIsOldOrNewAndAStoppedRunSaysWhich) {
    const std::vector<std::string> args = {"import", "points.txt"};
    Restore();
    const std::vector<std::string> before = ListPlan();
    TimeOneRun(args);
    const std::vector<std::string> after = ListPlan();
    ASSERT_NE(before, after);
    for (const int signal : {SIGKILL, SIGINT, SIGTERM}) {
        SCOPED_TRACE(strsignal(signal));
        const auto check = [&](const RunResult& run) {
            const std::vector<std::string> now = ListPlan();
            EXPECT_TRUE(now == before || now == after)
                << "the project holds part of an import: " << now.size() << " objects, not "
                << before.size() << " or " << after.size();
            EXPECT_TRUE(run.out.find("import: the plan holds") == std::string::npos || now == after)
                << "the summary came before the save";
            const std::string last = run.errLines.empty() ? "" : run.errLines.back();
            if (run.signal == 0) {
                EXPECT_EQ(run.exitCode, 0) << run.err;
                EXPECT_EQ(now, after);
            } else if (signal != SIGKILL && now == after) {
                EXPECT_EQ(last, kSaved);
            } else if (signal != SIGKILL) {
                EXPECT_THAT(last, ::testing::StartsWith(kNothingSaved));
            }
            return now == after;
        };
        EXPECT_GT(KillRepeatedly(args, check, signal).oldVersion, 0) << "no kill before the save";
    }
}

}  // namespace
}  // namespace planhost_test
