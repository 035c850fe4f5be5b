// Saves that survive a crash: planhost is killed (SIGKILL, TerminateProcess) at many points in
// time while it saves the settings, exports a points file or commits the project. Afterwards each
// file is its old version or its new one, never a mix or a truncation, and the project opens.
// Stopped by SIGINT or SIGTERM instead, planhost's last line says which version the project is.
//
// CRASH_KILLS sets the kills per scenario (default 50; scripts/crash-saves.sh runs 350 each):
// the settings, the export, and the project by SIGKILL, SIGINT and SIGTERM.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#if !defined(_WIN32)
#include <signal.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "measure_points_fixture.hpp"
#include "test_system.hpp"

namespace planhost_test {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::microseconds;

constexpr const char* kOldExport = "[Design_Points]\r\n99\t9\t9\t9\t\r\n";

// How a killed run ends: SIGKILL, and on Windows the same number after TerminateProcess.
constexpr int kKill = 9;
// Stop requests come as SIGINT and SIGTERM on POSIX. Windows has no way to send them to one
// other program (Ctrl-C goes to a whole console), so there the project is only killed.
#if defined(_WIN32)
const std::vector<int> kEndings = {kKill};
#else
const std::vector<int> kEndings = {kKill, SIGINT, SIGTERM};

// Whether the process has a handler of its own for the signal yet: before it does, the signal
// would end it as it ends any program that has barely started.
bool Catches(int pid, int signal) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("SigCgt:", 0) == 0)
            return (std::stoull(line.substr(7), nullptr, 16) >> (signal - 1)) & 1;
    return false;
}
#endif

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

class CrashSafeSavesTest : public MeasurePointsTest {
protected:
    void SetUp() override {
        planhost.WriteSettings("2", "20");
        planhost.WriteFile("points.txt", PointsFile(40));
        Place("Stakemark.gsm", "7", 7, 1, {"strMarkerStyle=Cross in Circle"});
        Place("Stakemark.gsm", "8", 8, 1, {"strMarkerStyle=Cross in Circle"});
        plan_ = planhost.ReadFile("plan.db");
        settings_ = planhost.ReadFile(planhost.SettingsFile());
    }

    void Restore() {
        std::filesystem::remove(planhost.folder() / "plan.db-journal");
        planhost.WriteFile("plan.db", plan_);
        planhost.WriteFile(planhost.SettingsFile(), settings_);
        planhost.WriteFile("exported.txt", kOldExport);
    }

    // The plan as `list` prints it, without the GUIDs that every import makes anew.
    std::string ListPlan() {
        const RunResult list = planhost.Run({"list"}, false);
        EXPECT_EQ(list.exitCode, 0) << "the project does not open: " << list.err;
        return std::regex_replace(list.out, std::regex("\"guid\":\"[^\"]*\","), "");
    }

    // Starts planhost and sends it `signal` after `delay` (counted from when it catches the
    // signal, unless it is a kill). Its run, with signal 0 when it had ended before.
    RunResult RunAndKill(const std::vector<std::string>& args, microseconds delay,
                         [[maybe_unused]] int signal) {
        const StartedRun started = planhost.Start(args, false);
#if defined(_WIN32)
        std::this_thread::sleep_for(delay);
        started.process->Kill();
#else
        const auto deadline = Clock::now() + std::chrono::seconds(10);
        while (signal != kKill && !Catches(started.pid, signal) && Clock::now() < deadline)
            std::this_thread::sleep_for(microseconds(200));
        std::this_thread::sleep_for(delay);
        kill(started.pid, signal);
#endif
        return planhost.Finish(started);
    }

    // The median wall time of a few whole runs, for spreading the kills over one: one run alone
    // may be much slower or faster than the kills' runs.
    microseconds TypicalRunTime(const std::vector<std::string>& args) {
        std::vector<microseconds> times;
        for (int i = 0; i < 5; ++i) {
            Restore();
            const auto start = Clock::now();
            const RunResult run = planhost.Run(args, false);
            EXPECT_EQ(run.exitCode, 0) << run.err;
            times.push_back(std::chrono::duration_cast<microseconds>(Clock::now() - start));
        }
        std::sort(times.begin(), times.end());
        return times[times.size() / 2];
    }

    // Ends the command by each of `signals` at evenly spread times over its usual run. What
    // `saved` reads afterwards must be as before the command or as after it, a run that ended by
    // itself must have saved, the summary comes only after the save, and a stopped run's last
    // line says which version the project is.
    void ExpectOldOrNew(const std::vector<std::string>& args,
                        const std::function<std::string()>& saved,
                        const std::vector<int>& signals) {
        Restore();
        const std::string before = saved();
        const microseconds whole = TypicalRunTime(args);
        const std::string after = saved();
        ASSERT_NE(before, after);
        const int kills = std::getenv("CRASH_KILLS") ? std::atoi(std::getenv("CRASH_KILLS")) : 50;
        for (const int signal : signals) {
            SCOPED_TRACE("signal " + std::to_string(signal));
            int oldVersion = 0, ended = 0;
            for (int i = 0; i < kills && !HasFailure(); ++i) {
                Restore();
                // To a bit past the run's end, from a quarter of it for a kill (start-up is of no
                // interest), from its start for a stop request (every moment has its own line).
                const microseconds from = signal == kKill ? whole / 4 : microseconds(0);
                const RunResult run = RunAndKill(
                    args, from + (whole * 11 / 10 - from) * (2 * i + 1) / (2 * kills), signal);
                const std::string now = saved();
                EXPECT_TRUE(now == before || now == after) << "torn save:\n" << now;
                EXPECT_TRUE(run.out.find("the plan holds") == std::string::npos || now == after)
                    << "the summary came before the save";
                if (run.signal == 0) {
                    ++ended;
                    EXPECT_EQ(run.exitCode, 0) << run.err;
                    EXPECT_EQ(now, after);
                } else if (signal != kKill) {
                    const std::string last = run.errLines.empty() ? "" : run.errLines.back();
                    EXPECT_TRUE(now == after ? last == kSaved : last.starts_with(kNothingSaved))
                        << last;
                }
                oldVersion += now == before;
            }
            std::printf("%s: %d ends by signal %d in a run of %lld us: %d old, %d ended first\n",
                        args[0].c_str(), kills, signal, static_cast<long long>(whole.count()),
                        oldVersion, ended);
            EXPECT_GT(oldVersion, 0) << "no kill before the save";
        }
        // The temporary files that the killed saves left go with the next save of each file.
        Restore();
        EXPECT_EQ(planhost.Run(args, false).exitCode, 0);
        EXPECT_THAT(TemporaryFiles(planhost.folder()), ::testing::IsEmpty());
        EXPECT_THAT(TemporaryFiles(planhost.SettingsFile().parent_path()), ::testing::IsEmpty());
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

    std::string plan_;
    std::string settings_;
};

TEST_F(CrashSafeSavesTest, SettingsFileIsOldOrNew) {
    ExpectOldOrNew({"settings", "--symbol-size", "3", "--start-number", "40", "--library", "1"},
                   [&] { return planhost.ReadFile(planhost.SettingsFile()); }, {kKill});
}

TEST_F(CrashSafeSavesTest, ExportedFileIsOldOrNew) {
    ExpectOldOrNew({"export", "exported.txt"}, [&] { return planhost.ReadFile("exported.txt"); },
                   {kKill});
}

// Killed, or stopped by Ctrl-C or SIGTERM, at any moment: the project is as before the command
// or as after it.
TEST_F(CrashSafeSavesTest, ProjectIsOldOrNewAndAStoppedRunSaysWhich) {
    ExpectOldOrNew(
        {"import", "points.txt"}, [&] { return ListPlan(); }, kEndings);
}

// Only files of the exact temporary name of the same file go, and only those that no live save
// holds (this test holds one as a save would).
TEST_F(CrashSafeSavesTest, NextSaveRemovesOnlyDeadLeftoversOfItsFile) {
    const std::filesystem::path folder = planhost.SettingsFile().parent_path();
    const std::string dead = ".Stakewise.ini.tmp0123456789ab";
    const std::string live = ".Stakewise.ini.tmpba9876543210";
    const std::string folderName = ".Stakewise.ini.tmpcccccccccccc";
    std::vector<std::string> kept = {live,
                                     folderName,
                                     ".Stakewise.ini.tmp0123456789a",
                                     ".Stakewise.ini.tmp0123456789abc",
                                     ".Stakewise.ini.tmp0123456789ag",
                                     "Stakewise.ini.tmp0123456789ab",
                                     ".Stakewise.dat.tmp0123456789ab"};
    for (const std::string& name : kept) planhost.WriteFile(folder / name, "leftover");
    planhost.WriteFile(folder / dead, "leftover");
    std::filesystem::remove(folder / folderName);
    std::filesystem::create_directory(folder / folderName);
#if !defined(_WIN32)
    // Windows names ignore case (this one would name the dead file), and a symbolic link needs
    // rights there that a user does not have.
    kept.push_back(".Stakewise.ini.tmp0123456789AB");
    planhost.WriteFile(folder / kept.back(), "leftover");
    kept.push_back(".Stakewise.ini.tmpdddddddddddd");
    std::filesystem::create_symlink(dead, folder / kept.back());
#endif
    std::shared_ptr<void> held = test_system::HoldAsSaveDoes(folder / live);
    ASSERT_NE(held, nullptr);

    const RunResult run = planhost.Run({"settings", "--symbol-size", "3", "--start-number", "4"});
    held.reset();
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_THAT(planhost.ReadFile(planhost.SettingsFile()),
                ::testing::HasSubstr("SymbolSize=3\r\n"));
    EXPECT_FALSE(std::filesystem::exists(folder / dead));
    for (const std::string& name : kept)
        EXPECT_TRUE(std::filesystem::exists(std::filesystem::symlink_status(folder / name)))
            << name;
}

}  // namespace
}  // namespace planhost_test
