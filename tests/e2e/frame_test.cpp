// The add-on frame end to end: the built Stakewise module loaded into planhost.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "planhost_runner.hpp"

namespace planhost_test {
namespace {

using ::testing::AllOf;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::StartsWith;

// What loading the add-on calls: six registrations, then six handlers, in resource order.
std::vector<std::string> LoadingTrace() {
    std::vector<std::string> lines;
    for (int id = 32500; id <= 32505; ++id)
        lines.push_back("ACAPI_Register_Menu menu=" + std::to_string(id) +
                        (id == 32503 ? " flags=2" : " flags=0") + " -> 0x0");
    for (int id = 32500; id <= 32505; ++id)
        lines.push_back("ACAPI_Install_MenuHandler menu=" + std::to_string(id) + " -> 0x0");
    return lines;
}

const auto kTermination = HasSubstr("debug: Abnormal add-on termination (\"");

class FrameTest : public ::testing::Test {
protected:
    PlanhostRunner planhost;
};

TEST_F(FrameTest, AddonsListsTheAddOnAndItsMenuThatRunsOnlyItsOwnIds) {
    const RunResult run = planhost.Run({"addons"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_THAT(
        run.outLines,
        ElementsAre("add-on: Stakewise",
                    "description: With Stakewise voor ArchiCAD you can "
                    "create/import/export/edit points for Total Station.",
                    AllOf(StartsWith("module: "), HasSubstr(ADDON_FILE_NAME)), "menu: Stakewise",
                    "  32500 Insert points", "  32501 Import points", "  32502 Export points",
                    "  32503 Update points [flags 2]", "  32504 Settings...", "  32505 Info..."));
    EXPECT_EQ(run.traceLines, LoadingTrace());
    EXPECT_THAT(run.err, IsEmpty());

    // Unloaded without its FreeData, the add-on says so.
    const RunResult skipped = planhost.Run({"--skip-free-data", "addons"});
    EXPECT_EQ(skipped.exitCode, 0);
    EXPECT_THAT(skipped.errLines, Contains(AllOf(kTermination, HasSubstr(ADDON_FILE_NAME "\")"))));

    // Ids just outside the add-on's range reach its handler and run nothing.
    for (const char* id : {"32499", "32506"}) {
        SCOPED_TRACE(id);
        const RunResult menu = planhost.Run({"menu", id});
        EXPECT_EQ(menu.exitCode, 0) << menu.err;
        EXPECT_EQ(menu.traceLines, LoadingTrace());
        EXPECT_THAT(menu.out + menu.err, IsEmpty());
    }
}

// Every way a module can fail to become the running add-on, and the two ways one loads although
// it is not the host's own revision or an earlier install failed: the add-on returns the result
// of its last install only. A refused add-on makes no call, unless it is refused for what a call
// returned, and always gets its FreeData when it had its Initialize.
TEST_F(FrameTest, ModulesThatCannotRunAreRefusedWithTheirReason) {
    const std::string platformLibrary =
        (PlanhostRunner::Binary().parent_path() / PLATFORM_LIBRARY_FILE_NAME).string();
    // Absolute here: under Wine the build's Unix path then gets its drive letter.
    const std::string fake = std::filesystem::absolute(FAKE_ADDON_PATH).string();
    const std::string missing = (planhost.folder() / "missing.so").string();
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::size_t traced, failed;  // trace lines, and those of a failed call
        std::string said;  // on standard output for a loaded add-on, else on standard error
        std::string contract = "", fault = "";  // of the fake add-on
    } cases[] = {
        {{"--addon", missing}, 1, 0, 0, "cannot load the add-on module"},
        {{"--addon", platformLibrary}, 1, 0, 0, "does not export GetExportedFuncAddrs"},
        {{"--addon", fake}, 1, 0, 0, "runs contracts 0x160000 to 0x160001", "160002"},
        {{"--addon", fake}, 1, 0, 0, "built for API contract 0x15ffff", "15ffff"},
        {{"--addon", fake}, 1, 0, 0, "built for API contract 0x170000", "170000"},
        {{"--addon", fake}, 1, 0, 0, "needs host release 22001 or later", "", "min-host"},
        {{"--addon", fake}, 1, 0, 0, "hands over no FreeData entry point", "", "null-entry"},
        {{"--addon", fake}, 1, 0, 0, "opened no resource module", "", "no-resources"},
        {{"--addon", fake}, 0, 0, 0, "add-on: Fake add-on", "160000"},
        {{"--application-id", "2"}, 1, 0, 0, "does not run in this application (id 2)"},
        {{"--empty", "ACAPI_Register_Menu"}, 1, 0, 0, "RegisterInterface failed with 0x81060387"},
        {{"--fail", "ACAPI_Register_Menu=7"}, 1, 6, 6, "RegisterInterface failed with 0x7;"},
        {{"--fail", "ACAPI_Install_MenuHandler@6=7"}, 1, 12, 1, "Initialize failed with 0x7;"},
        {{"--fail", "ACAPI_Install_MenuHandler@5=7"}, 0, 12, 1, "32504 Settings... [no handler]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.said);
        planhost.SetEnv("FAKE_ADDON_CONTRACT", c.contract);
        planhost.SetEnv("FAKE_ADDON_FAULT", c.fault);
        std::vector<std::string> args = c.args;
        args.push_back("addons");
        const RunResult run = planhost.Run(args);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        EXPECT_THAT(c.exitCode == 0 ? run.out : run.err, HasSubstr(c.said));
        if (c.exitCode != 0) {
            EXPECT_THAT(run.out, IsEmpty());
        }
        EXPECT_THAT(run.errLines, Not(Contains(kTermination)));
        EXPECT_EQ(run.traceLines.size(), c.traced);
        EXPECT_EQ(std::count_if(run.traceLines.begin(), run.traceLines.end(),
                                [](const std::string& line) { return !line.ends_with("-> 0x0"); }),
                  std::ptrdiff_t(c.failed));
    }
}

// Lines of the trace that touch views and point input.
std::vector<std::string> ViewLines(const std::vector<std::string>& trace) {
    std::vector<std::string> lines;
    for (const std::string& line : trace)
        if (line.find(" GDAT ") != std::string::npos || line.find(" CDAT ") != std::string::npos ||
            line.find(" CHWD ") != std::string::npos || line.find(" IPOI ") != std::string::npos)
            lines.push_back(line);
    return lines;
}

// Clicks come from the view in front, placing happens on the floor plan; a failed switch is
// traced with the database type that was asked for.
TEST_F(FrameTest, ClicksComeFromTheFrontViewWhilePlacingHappensOnTheFloorPlan) {
    const struct {
        std::vector<std::string> args;
        std::vector<std::string> lines;
    } cases[] = {
        {{"--view", "section", "menu", "32500", "--click", "1,2.5"},
         {"ACAPI_Interface IPOI front=2 \"Enter insertion point.\" x=1 y=2.5 -> 0x0",
          "ACAPI_Database GDAT type=2 -> 0x0", "ACAPI_Database CDAT type=1 -> 0x0",
          "ACAPI_Database CDAT type=2 -> 0x0", "ACAPI_Automate CHWD type=2 -> 0x0",
          "ACAPI_Interface IPOI front=2 \"Enter insertion point.\" -> 0x81060200"}},
        {{"--view", "3d", "--fail", "ACAPI_Database:CDAT@1=APIERR_BADDATABASE", "--empty",
          "ACAPI_Automate:CHWD", "menu", "32500", "--click", "0,0"},
         {"ACAPI_Interface IPOI front=3 \"Enter insertion point.\" x=0 y=0 -> 0x0",
          "ACAPI_Database GDAT type=3 -> 0x0", "ACAPI_Database CDAT type=1 -> 0x81060009",
          "ACAPI_Database CDAT type=3 -> 0x0", "ACAPI_Automate CHWD type=3 -> 0x81060387",
          "ACAPI_Interface IPOI front=3 \"Enter insertion point.\" -> 0x81060200"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[1]);
        const RunResult run = planhost.Run(c.args);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(ViewLines(run.traceLines), c.lines);
    }
}

TEST_F(FrameTest, CommandsOnTheSavedProjectRefuseAMissingOneAndCreateNothing) {
    const std::vector<std::string> commands[] = {
        {"list"}, {"render", "plan.svg"}, {"export", "points.txt"}, {"undo"}};
    for (const std::vector<std::string>& args : commands) {
        SCOPED_TRACE(args[0]);
        const RunResult run = planhost.Run(args);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_THAT(run.errLines, ElementsAre("planhost: no such project plan.db; name an "
                                              "existing one with --project FILE"));
        EXPECT_THAT(run.out, IsEmpty());
        EXPECT_THAT(run.traceLines, IsEmpty());
    }
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(planhost.folder()))
        names.push_back(entry.path().filename().string());
    EXPECT_THAT(names, ::testing::UnorderedElementsAre(".run", "home"));
}

// Each of planhost's own checks of an option is wired to the usage error; the syntax of clicks
// and error codes has tables of its own (hostile clicks, the fault rules).
TEST_F(FrameTest, UsageErrorsExitWithTwoAndHelpWithZero) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"menu"},
        {"menu", "40000"},
        {"--view", "top", "addons"},
        {"--fail", "ACAPI_Nothing=1", "addons"},
        {"--fail", "ACAPI_Database", "addons"},
        {"--fail", "ACAPI_Database:GDA=1", "addons"},
        {"--fail", "ACAPI_Database:GDAT@x=1", "addons"},
        {"--empty", "ACAPI_Nothing", "addons"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(::testing::PrintToString(args));
        const RunResult run = planhost.Run(args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_THAT(run.err, Not(IsEmpty()));
        EXPECT_THAT(run.traceLines, IsEmpty());
    }
    const RunResult help = planhost.Run({"menu", "--help"}, /*withTrace=*/false);
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_THAT(help.out, AllOf(HasSubstr("--click"), HasSubstr("32505 Info...")));
}

// The memo's handles stay with the add-on when their disposal fails.
TEST_F(FrameTest, HandlesTheAddOnDidNotGiveBackAreReported) {
    planhost.WriteSettings("2");
    const RunResult run = planhost.Run(
        {"--fail", "ACAPI_DisposeElemMemoHdls=APIERR_GENERAL", "menu", "32500", "--click", "1,1"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(run.LeakedHandles()) << run.err;
}

}  // namespace
}  // namespace planhost_test
