// The add-on frame end to end: the built Stakewise module loaded into planhost.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "measure_points_fixture.hpp"
#include "planhost_runner.hpp"

namespace planhost_test {
namespace {

using ::testing::AllOf;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::MatchesRegex;
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

TEST_F(FrameTest, AddonsListsWhatTheAddOnToldAndItsMenu) {
    const RunResult run = planhost.Run({"addons"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    ASSERT_EQ(run.outLines.size(), 10u) << run.out;
    EXPECT_EQ(run.outLines[0], "add-on: Stakewise");
    EXPECT_EQ(run.outLines[1],
              "description: With Stakewise voor ArchiCAD you can create/import/export/edit points "
              "for Total Station.");
    EXPECT_THAT(run.outLines[2], AllOf(StartsWith("module: "), HasSubstr("Stakewise.so")));
    EXPECT_THAT(std::vector(run.outLines.begin() + 3, run.outLines.end()),
                ElementsAre("menu: Stakewise", "  32500 Insert points", "  32501 Import points",
                            "  32502 Export points", "  32503 Update points [flags 2]",
                            "  32504 Settings...", "  32505 Info..."));
    EXPECT_EQ(run.traceLines, LoadingTrace());
    EXPECT_THAT(run.err, IsEmpty());
}

TEST_F(FrameTest, MenuIdsJustOutsideTheAddOnsRangeRunNothing) {
    for (const char* id : {"32499", "32506"}) {
        SCOPED_TRACE(id);
        const RunResult run = planhost.Run({"menu", id});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.traceLines, LoadingTrace());
        EXPECT_THAT(run.out, IsEmpty());
        EXPECT_THAT(run.err, IsEmpty());
    }
}

TEST_F(FrameTest, EmptyMenuRegistrationSlotIsReportedAndTheAddOnNotUsed) {
    const RunResult run = planhost.Run({"--empty", "ACAPI_Register_Menu", "menu", "32505"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(run.errLines, Contains("planhost: the add-on's RegisterInterface failed with "
                                       "0x81060387; it is not used"));
    // The add-on called nothing through the empty slot, and no dialog ran.
    EXPECT_THAT(run.traceLines, IsEmpty());
    EXPECT_THAT(run.out, IsEmpty());
}

TEST_F(FrameTest, AnotherApplicationIsRefusedByCheckEnvironment) {
    const RunResult run = planhost.Run({"--application-id", "2", "addons"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(run.err, HasSubstr("the add-on does not run in this application (id 2)"));
    EXPECT_THAT(run.traceLines, IsEmpty());  // no menu was registered
    EXPECT_THAT(run.out, IsEmpty());
}

TEST_F(FrameTest, UnloadWithoutFreeDataWritesTheTerminationLine) {
    const RunResult normal = planhost.Run({"addons"});
    EXPECT_THAT(normal.errLines, Not(Contains(kTermination)));

    const RunResult skipped = planhost.Run({"--skip-free-data", "addons"});
    EXPECT_EQ(skipped.exitCode, 0);
    EXPECT_THAT(skipped.errLines, Contains(AllOf(kTermination, HasSubstr("Stakewise.so\")"))));
}

TEST_F(FrameTest, InitializeReportsOnlyTheLastHandlerInstall) {
    // The add-on returns the result of its last install; an earlier failure goes unnoticed.
    const RunResult fifth =
        planhost.Run({"--fail", "ACAPI_Install_MenuHandler@5=0x81060001", "addons"});
    EXPECT_EQ(fifth.exitCode, 0) << fifth.err;
    ASSERT_EQ(fifth.traceLines.size(), 12u);
    EXPECT_EQ(fifth.traceLines[10], "ACAPI_Install_MenuHandler menu=32504 -> 0x81060001");

    const RunResult sixth =
        planhost.Run({"--fail", "ACAPI_Install_MenuHandler@6=0x81060001", "addons"});
    EXPECT_EQ(sixth.exitCode, 1);
    EXPECT_THAT(sixth.errLines, Contains("planhost: the add-on's Initialize failed with "
                                         "0x81060001; it is not used"));
    ASSERT_EQ(sixth.traceLines.size(), 12u);
    EXPECT_EQ(sixth.traceLines[11], "ACAPI_Install_MenuHandler menu=32505 -> 0x81060001");
    // The host gave the add-on its FreeData before unloading it.
    EXPECT_THAT(sixth.errLines, Not(Contains(kTermination)));
}

TEST_F(FrameTest, FailWithoutCallNumberHitsEveryCall) {
    const RunResult run = planhost.Run({"--fail", "ACAPI_Register_Menu=APIERR_GENERAL", "addons"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(run.err, HasSubstr("RegisterInterface failed with 0x81060001"));
    ASSERT_EQ(run.traceLines.size(), 6u);
    for (const std::string& line : run.traceLines) EXPECT_THAT(line, HasSubstr("-> 0x81060001"));
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

TEST_F(FrameTest, ClicksComeFromTheFrontViewWhilePlacingHappensOnTheFloorPlan) {
    const RunResult run = planhost.Run({"--view", "section", "menu", "32500", "--click", "1,2.5"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_THAT(
        ViewLines(run.traceLines),
        ElementsAre("ACAPI_Interface IPOI front=2 \"Enter insertion point.\" x=1 y=2.5 -> 0x0",
                    "ACAPI_Database GDAT type=2 -> 0x0",  //
                    "ACAPI_Database CDAT type=1 -> 0x0",  //
                    "ACAPI_Database CDAT type=2 -> 0x0",  //
                    "ACAPI_Automate CHWD type=2 -> 0x0",
                    "ACAPI_Interface IPOI front=2 \"Enter insertion point.\" -> 0x81060200"));
}

TEST_F(FrameTest, FailedViewSwitchStillTracesTheDatabaseType) {
    const RunResult run =
        planhost.Run({"--view", "3d", "--fail", "ACAPI_Database:CDAT@1=APIERR_BADDATABASE",
                      "--empty", "ACAPI_Automate:CHWD", "menu", "32500", "--click", "0,0"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_THAT(
        ViewLines(run.traceLines),
        ElementsAre(HasSubstr("IPOI front=3"), "ACAPI_Database GDAT type=3 -> 0x0",
                    "ACAPI_Database CDAT type=1 -> 0x81060009", "ACAPI_Database CDAT type=3 -> 0x0",
                    "ACAPI_Automate CHWD type=3 -> 0x81060387", HasSubstr("IPOI front=3")));
}

TEST_F(FrameTest, MissingModuleSaysWhatToDo) {
    const RunResult run =
        planhost.Run({"--addon", (planhost.folder() / "missing.so").string(), "addons"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(run.err, AllOf(HasSubstr("cannot load the add-on module"), HasSubstr("--addon")));
}

TEST_F(FrameTest, ModulesThatAreNoUsableAddOnAreRefusedWithTheirReason) {
    const std::string platformLibrary =
        (PlanhostRunner::Binary().parent_path() / "libstakewise_platform.so").string();
    const struct {
        std::string module;
        std::string contract;
        std::string fault;
        std::string message;
    } cases[] = {
        {platformLibrary, "", "", "does not export GetExportedFuncAddrs and SetImportedFuncAddrs"},
        {FAKE_ADDON_PATH, "160002", "",
         "built for API contract 0x160002, this host runs contracts 0x160000 to 0x160001"},
        {FAKE_ADDON_PATH, "15ffff", "", "built for API contract 0x15ffff"},
        {FAKE_ADDON_PATH, "170000", "", "built for API contract 0x170000"},
        {FAKE_ADDON_PATH, "", "min-host", "needs host release 22001 or later"},
        {FAKE_ADDON_PATH, "", "null-entry", "hands over no FreeData entry point"},
        {FAKE_ADDON_PATH, "", "no-resources", "opened no resource module"},
    };
    for (const auto& refused : cases) {
        SCOPED_TRACE(refused.message);
        planhost.SetEnv("FAKE_ADDON_CONTRACT", refused.contract);
        planhost.SetEnv("FAKE_ADDON_FAULT", refused.fault);
        const RunResult run = planhost.Run({"--addon", refused.module, "addons"});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_THAT(run.err, HasSubstr(refused.message));
        EXPECT_THAT(run.out, IsEmpty());
    }
}

// The entry table only grows, so an add-on of an older revision of the same contract runs.
TEST_F(FrameTest, AddOnsOfThisContractUpToItsRevisionAreLoaded) {
    for (const std::string contract : {"160000", "160001"}) {
        SCOPED_TRACE(contract);
        planhost.SetEnv("FAKE_ADDON_CONTRACT", contract);
        const RunResult run = planhost.Run({"--addon", FAKE_ADDON_PATH, "addons"});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_THAT(run.out, HasSubstr("add-on: Fake add-on\n"));
        EXPECT_THAT(run.err, Not(HasSubstr("leaked")));
    }
}

TEST_F(FrameTest, ProjectThatCannotBeOpenedSaysWhatToDo) {
    planhost.WriteFile("not-a-project.db", "just text, not a project\n");
    for (const std::string project : {"missing-folder/plan.db", "not-a-project.db"}) {
        SCOPED_TRACE(project);
        const RunResult run = planhost.Run({"--project", project, "addons"});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_THAT(run.err, AllOf(HasSubstr("cannot open the project " + project),
                                   HasSubstr("--project FILE")));
        EXPECT_THAT(run.traceLines, IsEmpty());  // the add-on was not loaded
    }
    EXPECT_EQ(planhost.ReadFile("not-a-project.db"), "just text, not a project\n");
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

TEST_F(FrameTest, UsageErrorsExitWithTwo) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"frobnicate"},
        {"menu"},
        {"menu", "abc"},
        {"menu", "40000"},
        {"menu", "32500", "--click", "1"},
        {"menu", "32500", "--click", "1,inf"},
        {"--view", "top", "addons"},
        {"--fail", "ACAPI_Nothing=1", "addons"},
        {"--fail", "ACAPI_Database", "addons"},
        {"--fail", "ACAPI_Database:GDA=1", "addons"},
        {"--fail", "ACAPI_Database:GDAT@0=1", "addons"},
        {"--fail", "ACAPI_Database:GDAT@x=1", "addons"},
        {"--fail", "ACAPI_Database=APIERR_NONSENSE", "addons"},
        {"--fail", "ACAPI_Database=0x1ffffffff", "addons"},
        {"--empty", "ACAPI_Nothing", "addons"},
        {"--empty", "ACAPI_Interface:IPOIX", "addons"},
        {"--application-id", "one", "addons"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(::testing::PrintToString(args));
        const RunResult run = planhost.Run(args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_THAT(run.err, Not(IsEmpty()));
        EXPECT_THAT(run.traceLines, IsEmpty());
    }
}

TEST_F(FrameTest, HelpExplainsTheCommands) {
    const RunResult help = planhost.Run({"--help"}, /*withTrace=*/false);
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_THAT(help.out, AllOf(HasSubstr("menu"), HasSubstr("addons"), HasSubstr("--fail"),
                                HasSubstr("--empty"), HasSubstr("--trace")));

    const RunResult menuHelp = planhost.Run({"menu", "--help"}, /*withTrace=*/false);
    EXPECT_EQ(menuHelp.exitCode, 0);
    EXPECT_THAT(menuHelp.out, AllOf(HasSubstr("--click"), HasSubstr("32505 Info...")));
}

class HandleCountTest : public MeasurePointsTest {};

TEST_F(HandleCountTest, HandlesTheAddOnDidNotGiveBackAreReported) {
    WriteSettings("2");
    // The memo's handles stay with the add-on when their disposal fails.
    const RunResult run = planhost.Run(
        {"--fail", "ACAPI_DisposeElemMemoHdls=APIERR_GENERAL", "menu", "32500", "--click", "1,1"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(run.LeakedHandles());
    EXPECT_THAT(run.errLines, Contains(MatchesRegex("debug: leaked [1-9][0-9]* handles")));

    EXPECT_FALSE(planhost.Run({"menu", "32500", "--click", "1,1"}).LeakedHandles());
}

}  // namespace
}  // namespace planhost_test
