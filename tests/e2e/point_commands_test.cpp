// planhost's own point commands end to end: place, list, undo and render, the project file
// kept once per command, and where changes made outside undoable steps go.
#include "measure_points_fixture.hpp"

namespace planhost_test {
namespace {

using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::SizeIs;

class PointCommandsTest : public MeasurePointsTest {};

TEST_F(PointCommandsTest, ListShowsEveryObjectInOrderWithNumbersThatReadBackExactly) {
    ASSERT_THAT(Run({"place", "--part", "Stakemark.gsm", "--id", "7", "--x", "0.30000000000000004",
                     "--y", "-3.25", "--z", "1e-7", "--a", "2", "--b", "2", "--param",
                     "strMarkerStyle=Cross in Circle"})
                    .outLines,
                SizeIs(1));
    Run({"place", "--part", "Tree.gsm", "--no-memo", "--x", "123456789.123", "--y", "0"});
    Run({"place", "--part", "Piketmerk.gsm", "--id", "say \"hi\"\\", "--x", "1", "--y", "2"});
    // A marker style not given is the part's default.
    ASSERT_THAT(Rows(), ElementsAre("7 0.30000000000000004,-3.25,1e-07 2x2 Cross in Circle/Pin",
                                    "<no memo> 123456789.123,0,0 4x4 /",
                                    "say \"hi\"\\ 1,2,0 0.5x0.5 Driehoek/Paaltje"));
    std::vector<PlacedObject> plan = List();
    EXPECT_EQ(plan[0].params["rTextHeight"].get<double>(), 0.25);
    EXPECT_TRUE(plan[1].params.empty());
}

TEST_F(PointCommandsTest, PlaceRefusesWhatAHostRefuses) {
    const std::pair<std::vector<std::string>, int> cases[] = {
        {{"--view", "section", "place", "--part", "Tree.gsm", "--x", "1", "--y", "1"}, 3},
        {{"--view", "layout", "place", "--part", "Tree.gsm", "--x", "1", "--y", "1"}, 3},
        {{"place", "--part", "Tree.gsm", "--x", "inf", "--y", "1"}, 3},
        {{"place", "--part", "Tree.gsm", "--x", "1", "--y", "nan"}, 3},
        {{"place", "--part", "tree.gsm", "--x", "1", "--y", "1"}, 3},
        {{"--library", "none", "place", "--part", "Tree.gsm", "--x", "1", "--y", "1"}, 3},
        {{"place", "--part", "Tree.gsm", "--x", "1", "--y", "1", "--param", "bad=1"}, 2},
        {{"--view", "3d", "place", "--part", "Tree.gsm", "--x", "1", "--y", "1"}, 0},
    };
    for (const auto& [args, exitCode] : cases)
        EXPECT_EQ(planhost.Run(args).exitCode, exitCode) << ::testing::PrintToString(args);
    EXPECT_THAT(List(), SizeIs(1));  // placed from the 3D window alone
}

// The add-on's marker styles are set outside its "Create text" steps; they form one step named
// after the command, on top of the command's own steps.
TEST_F(PointCommandsTest, ChangesOutsideUndoableStepsFormOneStepNamedAfterTheCommand) {
    planhost.WriteSettings("2");
    Run({"insert", "--click", "1,1", "--click", "2,2"});
    EXPECT_THAT(Run({"undo"}).outLines, ElementsAre("Insert points"));
    std::vector<PlacedObject> plan = List();
    ASSERT_THAT(Ids(plan), ElementsAre("1", "2"));
    EXPECT_EQ(plan[0].params["strMarkerStyle"], "Triangle");  // back to the default
    EXPECT_THAT(Run({"undo"}).outLines, ElementsAre("Create text"));
    EXPECT_THAT(Ids(List()), ElementsAre("1"));
    EXPECT_THAT(Run({"undo"}).outLines, ElementsAre("Create text"));
    EXPECT_THAT(Run({"undo"}).outLines, ElementsAre("undo: nothing to undo"));
    EXPECT_THAT(List(), IsEmpty());
}

TEST_F(PointCommandsTest, RenderDrawsEveryPointWithItsNumberAndTellsMeasuredFromDesign) {
    Run({"place", "--part", "Stakemark.gsm", "--id", "101", "--x", "0", "--y", "0", "--param",
         "strMarkerStyle=Cross in Circle"});
    Run({"place", "--part", "Stakemark.gsm", "--id", "201", "--x", "12", "--y", "8"});
    Run({"place", "--part", "Tree.gsm", "--no-memo", "--x", "6", "--y", "4"});
    const RunResult run = Run({"render", "plan.svg"});
    EXPECT_THAT(run.out, HasSubstr("3 objects"));
    // " m</text>" is the scale bar.
    for (const char* part : {">101</text>", ">201</text>", "measured point (marker style 1): 1",
                             "design point: 1", "tree: 1", " m</text>"})
        EXPECT_THAT(planhost.ReadFile("plan.svg"), HasSubstr(part));
    EXPECT_EQ(planhost.Run({"render", "no/such/folder/plan.svg"}).exitCode, 3);
}

// The demo starts afresh in its own folder as often as it is run, but never replaces files that
// it did not make unless told to.
TEST_F(PointCommandsTest, DemoRunsAgainInItsOwnFolderAndRefusesOneWithOtherFiles) {
    std::filesystem::create_directories(planhost.folder() / "mine");
    Run({"--project", "mine/plan.db", "place", "--part", "Tree.gsm", "--x", "1", "--y", "1"});
    const std::string project = planhost.ReadFile("mine/plan.db");
    const RunResult refused = planhost.Run({"demo", "mine"}, false);
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_THAT(refused.err, AllOf(HasSubstr("(.plan.db.lock, plan.db)"), HasSubstr("--force")));
    EXPECT_EQ(planhost.ReadFile("mine/plan.db"), project);

    for (int run = 0; run < 2; ++run) {
        const RunResult demo = planhost.Run({"demo", "own"}, false);
        EXPECT_EQ(demo.exitCode, 0) << demo.err;
        EXPECT_THAT(demo.out, HasSubstr("demo: done."));
    }
    planhost.WriteFile("own/notes.txt", "the user's");
    EXPECT_EQ(planhost.Run({"demo", "own"}, false).exitCode, 2);
    EXPECT_EQ(planhost.Run({"demo", "--force", "own"}, false).exitCode, 0);
    EXPECT_EQ(planhost.ReadFile("own/notes.txt"), "the user's");
}

}  // namespace
}  // namespace planhost_test
