// The fault sweep: each command runs once to count its host calls, then again with call k
// failing, for every k: once, and from k on. Whatever fails, planhost must end normally, give
// back every handle, print no sanitizer report and leave a project that `list` reads.
//
// A sweep samples at most FAULT_SWEEP_CALLS calls per command (default 24, spread over the run,
// first and last included) to keep CI short; FAULT_SWEEP_CALLS=0 sweeps every call.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "faults.hpp"
#include "measure_points_fixture.hpp"

namespace planhost_test {
namespace {

using ::testing::AnyOf;
using ::testing::HasSubstr;
using ::testing::Not;

constexpr const char* kPointsFile =
    "[Measured_Points]\r\n7\t12.5\t-3.25\t0.01\t\r\n100\t1\t2\t3\t\r\n"
    "[Design_Points]\r\n1\t0\t0\t0\t\r\n2\t1234.57\t5.5\t1.25\t\r\n";

// Each traced call as a --fail target: its operation and its number among the calls of that
// operation, "OP@N".
std::vector<std::string> CallTargets(const std::vector<std::string>& trace) {
    std::map<std::string, int> seen;
    std::vector<std::string> targets;
    for (const std::string& line : trace) {
        const std::string op = line.substr(0, line.find(' '));
        // Giving memory back is not made to fail, as free() is not: a host whose release
        // refuses leaves the handle with no owner, whatever the add-on does.
        if (op != "ACAPI_DisposeElemMemoHdls" && op != "ACAPI_DisposeAddParHdl")
            targets.push_back(op + "@" + std::to_string(++seen[op]));
    }
    return targets;
}

std::size_t CallLimit() {
    const char* text = std::getenv("FAULT_SWEEP_CALLS");
    return text == nullptr ? 24 : std::size_t(std::strtoul(text, nullptr, 10));
}

// The command's arguments; paths are relative to the working folder.
class FaultSweepTest : public MeasurePointsTest,
                       public ::testing::WithParamInterface<std::vector<std::string>> {
protected:
    // A plan with measured points 7 and 8, design point 9, a tree; settings for "Stakemark";
    // a points file to import and update from. Kept as bytes so that every run starts alike.
    void SetUp() override {
        planhost.WriteSettings("2", "20");
        planhost.WriteFile("points.txt", kPointsFile);
        Place("Stakemark.gsm", "7", 1, 1, {"strMarkerStyle=Cross in Circle"});
        Place("Stakemark.gsm", "8", 2, 1, {"strMarkerStyle=Cross in Circle"});
        Place("Stakemark.gsm", "9", 3, 1, {"strMarkerStyle=Cone"});
        Place("Tree.gsm", "T1", 4, 4);
        plan_ = planhost.ReadFile("plan.db");
        settings_ = planhost.ReadFile(planhost.SettingsFile());
    }

    void Restore() {
        planhost.WriteFile("plan.db", plan_);
        planhost.WriteFile(planhost.SettingsFile(), settings_);
        std::filesystem::remove(planhost.folder() / "exported.txt");
    }

    // One run under a fault rule, and what must hold after it.
    void RunFaulted(const std::vector<std::string>& command, const std::string& rule) {
        Restore();
        std::vector<std::string> args = {"--fail", rule};
        args.insert(args.end(), command.begin(), command.end());
        const RunResult run = planhost.Run(args, false);
        EXPECT_FALSE(run.timedOut) << rule;
        EXPECT_EQ(run.signal, 0) << rule << '\n' << run.err;
        EXPECT_NE(run.exitCode, -1) << rule;
        EXPECT_FALSE(run.LeakedHandles()) << rule << '\n' << run.err;
        EXPECT_THAT(run.err, Not(AnyOf(HasSubstr("Sanitizer"), HasSubstr("runtime error:"))))
            << rule;

        const RunResult list = planhost.Run({"list"}, false);
        EXPECT_EQ(list.exitCode, 0) << rule << " left a plan that list cannot read\n" << list.err;
        EXPECT_FALSE(list.outLines.empty()) << rule << " lost the plan";
    }

    std::string plan_;
    std::string settings_;
};

TEST_P(FaultSweepTest, EveryFailingCallEndsCleanly) {
    const std::vector<std::string>& command = GetParam();
    Restore();
    const RunResult clean = planhost.Run(command);
    ASSERT_EQ(clean.exitCode, 0) << clean.err;
    ASSERT_FALSE(clean.traceLines.empty()) << "the command made no host call";

    // At most CallLimit() of the calls, spread evenly with the first and the last.
    const std::vector<std::string> targets = CallTargets(clean.traceLines);
    const std::size_t count = targets.size();
    const std::size_t swept = CallLimit() == 0 ? count : std::min(count, CallLimit());
    std::printf("%s: %zu host calls, %zu of them failable, %zu swept (x2 runs)\n",
                command[0].c_str(), clean.traceLines.size(), count, swept);
    for (std::size_t i = 0; i < swept && !HasFailure(); ++i) {
        const std::string& at = targets[swept == 1 ? 0 : i * (count - 1) / (swept - 1)];
        RunFaulted(command, at + "=APIERR_GENERAL");
        RunFaulted(command, at + "+=APIERR_GENERAL");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, FaultSweepTest,
    ::testing::Values(std::vector<std::string>{"insert", "--click", "5,5", "--click", "6,6"},
                      std::vector<std::string>{"import", "points.txt"},
                      std::vector<std::string>{"export", "exported.txt"},
                      std::vector<std::string>{"update", "points.txt"},
                      std::vector<std::string>{"settings", "--symbol-size", "2", "--start-number",
                                               "30", "--library", "1"}),
    [](const ::testing::TestParamInfo<std::vector<std::string>>& info) { return info.param[0]; });

// "@N+" fails the N-th call of the operation and every later one.
TEST(FaultRules, FromTheNthCallOn) {
    planhost::Faults faults;
    faults.AddFail("ACAPI_Element_Get@2+=APIERR_GENERAL");
    std::vector<bool> fails;
    for (int call = 0; call < 4; ++call)
        fails.push_back(faults.Check("ACAPI_Element_Get", 0).has_value());
    EXPECT_THAT(fails, ::testing::ElementsAre(false, true, true, true));
    EXPECT_THROW(faults.AddFail("ACAPI_Element_Get@+=0"), planhost::FaultSyntaxError);
    EXPECT_THROW(faults.AddFail("ACAPI_Element_Get@0+=0"), planhost::FaultSyntaxError);
}

}  // namespace
}  // namespace planhost_test
