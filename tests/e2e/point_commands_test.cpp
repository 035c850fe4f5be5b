// planhost's own point commands end to end: place, list, undo and render, the project file
// kept once per command, and where changes made outside undoable steps go.
#include <csignal>

#include "measure_points_fixture.hpp"

namespace planhost_test {
namespace {

using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::SizeIs;

class PointCommandsTest : public MeasurePointsTest {
protected:
    std::vector<nlohmann::json> ListJson() {
        std::vector<nlohmann::json> objects;
        for (const std::string& line : Run({"list"}).outLines)
            objects.push_back(nlohmann::json::parse(line));
        return objects;
    }
};

TEST_F(PointCommandsTest, ListShowsEveryObjectInOrderWithNumbersThatReadBackExactly) {
    ASSERT_THAT(Run({"place", "--part", "Stakemark.gsm", "--id", "7", "--x", "0.30000000000000004",
                     "--y", "-3.25", "--z", "1e-7", "--a", "2", "--b", "2", "--param",
                     "strMarkerStyle=Cross in Circle"})
                    .outLines,
                SizeIs(1));
    Run({"place", "--part", "Tree.gsm", "--no-memo", "--x", "123456789.123", "--y", "0"});
    Run({"place", "--part", "Piketmerk.gsm", "--id", "say \"hi\"\\", "--x", "1", "--y", "2"});
    const std::vector<nlohmann::json> plan = ListJson();
    ASSERT_THAT(plan, SizeIs(3));
    EXPECT_EQ(plan[0]["part"], "Stakemark.gsm");
    EXPECT_EQ(plan[0]["id"], "7");
    EXPECT_EQ(plan[0]["x"].get<double>(), 0.30000000000000004);
    EXPECT_EQ(plan[0]["z"].get<double>(), 1e-7);
    EXPECT_EQ(plan[0]["a"].get<double>(), 2.0);
    EXPECT_EQ(plan[0]["params"]["strMarkerStyle"], "Cross in Circle");
    EXPECT_EQ(plan[0]["params"]["strMarkerStyle3D"], "Pin");  // the part's default
    EXPECT_EQ(plan[0]["params"]["rTextHeight"].get<double>(), 0.25);
    EXPECT_TRUE(plan[1]["id"].is_null());
    EXPECT_EQ(plan[1]["x"].get<double>(), 123456789.123);
    EXPECT_TRUE(plan[1]["params"].empty());
    EXPECT_EQ(plan[2]["id"], "say \"hi\"\\");
    EXPECT_EQ(plan[2]["params"]["strMarkerStyle"], "Driehoek");
    EXPECT_THAT(Run({"list"}).outLines[0], HasSubstr("\"x\":0.30000000000000004,\"y\":-3.25,"));
}

TEST_F(PointCommandsTest, PlaceRefusesWhatAHostRefuses) {
    struct Case {
        std::vector<std::string> args;
        int exitCode;
    };
    for (const Case& c : {
             Case{{"--view", "section", "place", "--part", "Tree.gsm", "--x", "1", "--y", "1"}, 3},
             Case{{"--view", "layout", "place", "--part", "Tree.gsm", "--x", "1", "--y", "1"}, 3},
             Case{{"place", "--part", "Tree.gsm", "--x", "inf", "--y", "1"}, 3},
             Case{{"place", "--part", "Tree.gsm", "--x", "1", "--y", "nan"}, 3},
             Case{{"place", "--part", "tree.gsm", "--x", "1", "--y", "1"}, 3},
             Case{{"--library", "none", "place", "--part", "Tree.gsm", "--x", "1", "--y", "1"}, 3},
             Case{{"place", "--part", "Tree.gsm", "--x", "1", "--y", "1", "--param", "bad=1"}, 2},
         }) {
        EXPECT_EQ(planhost.Run(c.args).exitCode, c.exitCode) << c.args[1];
    }
    EXPECT_TRUE(ListJson().empty());
    EXPECT_EQ(planhost.Run({"--view", "3d", "place", "--part", "Tree.gsm", "--x", "1", "--y", "1"})
                  .exitCode,
              0);
    EXPECT_THAT(ListJson(), SizeIs(1));
}

TEST_F(PointCommandsTest, UndoTakesBackOneStepPerRunNewestFirst) {
    Run({"place", "--part", "Tree.gsm", "--id", "A", "--x", "1", "--y", "1"});
    Run({"place", "--part", "Tree.gsm", "--id", "B", "--x", "2", "--y", "2"});
    EXPECT_THAT(Run({"undo"}).outLines, ElementsAre("Place object"));
    EXPECT_THAT(Ids(List()), ElementsAre("A"));
    Run({"place", "--part", "Tree.gsm", "--id", "C", "--x", "3", "--y", "3"});
    EXPECT_THAT(Run({"undo"}).outLines, ElementsAre("Place object"));
    EXPECT_THAT(Run({"undo"}).outLines, ElementsAre("Place object"));
    EXPECT_THAT(Run({"undo"}).outLines, ElementsAre("undo: nothing to undo"));
    EXPECT_TRUE(List().empty());
}

// The add-on's marker styles are set outside its "Create text" steps; they form one step named
// after the command, on top of the command's own steps.
TEST_F(PointCommandsTest, ChangesOutsideUndoableStepsFormOneStepNamedAfterTheCommand) {
    WriteSettings("2");
    Run({"insert", "--click", "1,1", "--click", "2,2"});
    EXPECT_THAT(Run({"undo"}).outLines, ElementsAre("Insert points"));
    std::vector<PlacedObject> plan = List();
    ASSERT_THAT(Ids(plan), ElementsAre("1", "2"));
    EXPECT_EQ(plan[0].params["strMarkerStyle"], "Triangle");  // back to the default
    EXPECT_THAT(Run({"undo"}).outLines, ElementsAre("Create text"));
    EXPECT_THAT(Ids(List()), ElementsAre("1"));
}

TEST_F(PointCommandsTest, KilledCommandLeavesTheProjectAsItWasBefore) {
    WriteSettings("2");
    Run({"place", "--part", "Tree.gsm", "--id", "kept", "--x", "0", "--y", "0"});
    std::string clicks;
    for (int i = 0; i < 400000; ++i)
        clicks += std::to_string(i % 700) + "," + std::to_string(i / 700) + "\n";
    planhost.WriteFile("clicks.txt", clicks);
    planhost.SetTimeout(std::chrono::seconds(2));
    const RunResult killed = planhost.Run({"insert", "--clicks-file", "clicks.txt"}, false);
    ASSERT_TRUE(killed.timedOut) << "the insert ended before it could be killed";
    planhost.SetTimeout(std::chrono::seconds(60));
    EXPECT_THAT(Ids(List()), ElementsAre("kept"));
    EXPECT_THAT(Run({"undo"}).outLines, ElementsAre("Place object"));
}

TEST_F(PointCommandsTest, RenderDrawsEveryPointWithItsNumberAndTellsMeasuredFromDesign) {
    Run({"place", "--part", "Stakemark.gsm", "--id", "101", "--x", "0", "--y", "0", "--param",
         "strMarkerStyle=Cross in Circle"});
    Run({"place", "--part", "Stakemark.gsm", "--id", "201", "--x", "12", "--y", "8"});
    Run({"place", "--part", "Tree.gsm", "--no-memo", "--x", "6", "--y", "4"});
    const RunResult run = Run({"render", "plan.svg"});
    EXPECT_THAT(run.out, HasSubstr("3 objects"));
    const std::string svg = planhost.ReadFile("plan.svg");
    EXPECT_THAT(svg, HasSubstr(">101</text>"));
    EXPECT_THAT(svg, HasSubstr(">201</text>"));
    EXPECT_THAT(svg, HasSubstr("measured point (marker style 1): 1"));
    EXPECT_THAT(svg, HasSubstr("design point: 1"));
    EXPECT_THAT(svg, HasSubstr("tree: 1"));
    EXPECT_THAT(svg, HasSubstr(" m</text>"));  // the scale bar
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
