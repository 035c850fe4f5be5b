// The fault sweep: each command runs once to count its host calls, then again with call k
// failing, for every k: once, and from k on. Whatever fails, planhost must end normally, give
// back every handle, print no sanitizer report and leave a project that `list` reads.
//
// A sweep samples at most FAULT_SWEEP_CALLS calls per command (default 24, spread over the run,
// first and last included) to keep CI short; FAULT_SWEEP_CALLS=0 sweeps every call.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "faults.hpp"
#include "planhost_runner.hpp"

namespace planhost_test {
namespace {

struct Scenario {
    const char* name;
    std::vector<std::string> args;  // the command; paths are relative to the working folder

    friend void PrintTo(const Scenario& scenario, std::ostream* out) { *out << scenario.name; }
};

// The k-th traced call as a --fail target: its operation and its number among the calls of
// that operation.
struct CallTarget {
    std::string op;
    int nth;
};

constexpr const char* kPointsFile =
    "[Measured_Points]\r\n7\t12.5\t-3.25\t0.01\t\r\n100\t1\t2\t3\t\r\n"
    "[Design_Points]\r\n1\t0\t0\t0\t\r\n2\t1234.57\t5.5\t1.25\t\r\n";

// Giving memory back is not made to fail, as free() is not: a host whose release refuses
// leaves the handle with no owner, whatever the add-on does.
bool IsRelease(const std::string& op) {
    return op == "ACAPI_DisposeElemMemoHdls" || op == "ACAPI_DisposeAddParHdl";
}

std::vector<CallTarget> CallTargets(const std::vector<std::string>& trace) {
    std::map<std::string, int> seen;
    std::vector<CallTarget> targets;
    for (const std::string& line : trace) {
        const std::string op = line.substr(0, line.find(' '));
        const int nth = ++seen[op];
        if (!IsRelease(op)) targets.push_back({op, nth});
    }
    return targets;
}

// Indexes 0..count-1, at most `limit` of them spread evenly (0 = all).
std::set<std::size_t> SampledCalls(std::size_t count, std::size_t limit) {
    std::set<std::size_t> picked;
    if (count == 0) return picked;
    if (limit == 0 || count <= limit) limit = count;
    for (std::size_t i = 0; i < limit; ++i)
        picked.insert(limit == 1 ? 0 : i * (count - 1) / (limit - 1));
    return picked;
}

std::size_t CallLimit() {
    const char* text = std::getenv("FAULT_SWEEP_CALLS");
    return text == nullptr ? 24 : std::size_t(std::strtoul(text, nullptr, 10));
}

bool HasSanitizerReport(const std::string& err) {
    return err.find("AddressSanitizer") != std::string::npos ||
           err.find("LeakSanitizer") != std::string::npos ||
           err.find("runtime error:") != std::string::npos;
}

class FaultSweepTest : public ::testing::TestWithParam<Scenario> {
protected:
    // A plan with measured points 7 and 8, design point 9, a tree; settings for "Stakemark";
    // a points file to import and update from. Kept as bytes so that every run starts alike.
    void SetUp() override {
        planhost.WriteFile(SettingsFile(),
                           "Username=\r\nMinimized=0\r\nProjectUnits=\r\nSymbolSize=1\r\n"
                           "StartNumber=20\r\nLibrary=2\r\n");
        planhost.WriteFile("points.txt", kPointsFile);
        Place({"--part", "Stakemark.gsm", "--id", "7", "--x", "1", "--y", "1", "--param",
               "strMarkerStyle=Cross in Circle"});
        Place({"--part", "Stakemark.gsm", "--id", "8", "--x", "2", "--y", "1", "--param",
               "strMarkerStyle=Cross in Circle"});
        Place({"--part", "Stakemark.gsm", "--id", "9", "--x", "3", "--y", "1", "--param",
               "strMarkerStyle=Cone"});
        Place({"--part", "Tree.gsm", "--id", "T1", "--x", "4", "--y", "4"});
        plan_ = planhost.ReadFile("plan.db");
        settings_ = planhost.ReadFile(SettingsFile());
    }

    std::filesystem::path SettingsFile() const {
        return planhost.configHome() / "Orvane" / "Stakewise" / "Stakewise.ini";
    }

    void Place(std::vector<std::string> args) {
        args.insert(args.begin(), "place");
        const RunResult run = planhost.Run(args, false);
        ASSERT_EQ(run.exitCode, 0) << run.err;
    }

    void Restore() {
        planhost.WriteFile("plan.db", plan_);
        planhost.WriteFile(SettingsFile(), settings_);
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
        EXPECT_FALSE(HasSanitizerReport(run.err)) << rule << '\n' << run.err;

        const RunResult list = planhost.Run({"list"}, false);
        EXPECT_EQ(list.exitCode, 0) << rule << " left a plan that list cannot read\n" << list.err;
        EXPECT_FALSE(list.outLines.empty()) << rule << " lost the plan";
    }

    PlanhostRunner planhost;
    std::string plan_;
    std::string settings_;
};

TEST_P(FaultSweepTest, EveryFailingCallEndsCleanly) {
    const Scenario& scenario = GetParam();
    Restore();
    const RunResult clean = planhost.Run(scenario.args);
    ASSERT_EQ(clean.exitCode, 0) << clean.err;
    ASSERT_FALSE(clean.traceLines.empty()) << "the command made no host call";

    const std::vector<CallTarget> targets = CallTargets(clean.traceLines);
    const std::set<std::size_t> swept = SampledCalls(targets.size(), CallLimit());
    std::printf("%s: %zu host calls, %zu of them failable, %zu swept (x2 runs)\n", scenario.name,
                clean.traceLines.size(), targets.size(), swept.size());
    for (const std::size_t k : swept) {
        const CallTarget& target = targets[k];
        const std::string at = target.op + "@" + std::to_string(target.nth);
        RunFaulted(scenario.args, at + "=APIERR_GENERAL");
        RunFaulted(scenario.args, at + "+=APIERR_GENERAL");
        if (HasFailure()) break;  // one broken call is enough to look at
    }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, FaultSweepTest,
    ::testing::Values(Scenario{"insert", {"insert", "--click", "5,5", "--click", "6,6"}},
                      Scenario{"import", {"import", "points.txt"}},
                      Scenario{"export", {"export", "exported.txt"}},
                      Scenario{"update", {"update", "points.txt"}},
                      Scenario{"settings",
                               {"settings", "--symbol-size", "2", "--start-number", "30",
                                "--library", "1"}},
                      Scenario{"info", {"info"}}),
    [](const ::testing::TestParamInfo<Scenario>& info) { return std::string(info.param.name); });

// "@N+" fails the N-th call of the operation and every later one; "@N" only the N-th.
TEST(FaultRules, FromTheNthCallOn) {
    planhost::Faults faults;
    faults.AddFail("ACAPI_Element_Get@2+=APIERR_GENERAL");
    faults.AddFail("ACAPI_Element_GetMemo@2=APIERR_CANCEL");
    std::vector<bool> getFails, memoFails;
    for (int call = 0; call < 4; ++call) {
        getFails.push_back(faults.Check("ACAPI_Element_Get", 0).has_value());
        memoFails.push_back(faults.Check("ACAPI_Element_GetMemo", 0).has_value());
    }
    EXPECT_THAT(getFails, ::testing::ElementsAre(false, true, true, true));
    EXPECT_THAT(memoFails, ::testing::ElementsAre(false, true, false, false));
    EXPECT_THROW(faults.AddFail("ACAPI_Element_Get@+=0"), planhost::FaultSyntaxError);
    EXPECT_THROW(faults.AddFail("ACAPI_Element_Get@0+=0"), planhost::FaultSyntaxError);
}

}  // namespace
}  // namespace planhost_test
