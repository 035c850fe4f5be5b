// planhost floor, the yardstick of the bulk benchmark, must do the same model work as the
// add-on's command: the same objects created, moved and written, so that the comparison holds.
#include "measure_points_fixture.hpp"

namespace planhost_test {
namespace {

const std::string kPoints =
    "[Measured_Points]\r\n7\t12.5\t-3.25\t0.01\t\r\n7\t155012.345\t463001.5\t2\t\r\n"
    "9\t1\t2\t3\t\r\n[Design_Points]\r\n1\t0\t0\t0\t\r\n12\t-1.5\t4\t-0.2\t\r\n";
// Moves both points 7 and point 9, adds 30 and a second 31; the design point 1 is no match.
const std::string kAsBuilt =
    "7\t13\t-3\t0.02\t\r\n9\t1.5\t2.5\t3\t\r\n30\t5\t5\t5\t\r\n1\t8\t8\t8\t\r\n31\t6\t6\t6\t\r\n"
    "31\t7\t7\t7\t\r\n";
const std::string kClicks = "1.5,2.5\n-4,155000.25\n0,0\n";

class FloorCommandTest : public MeasurePointsTest {
protected:
    void SetUp() override {
        planhost.WriteSettings("2");
        planhost.WriteFile("points.txt", kPoints);
        planhost.WriteFile("as-built.txt", kAsBuilt);
        planhost.WriteFile("clicks.txt", kClicks);
    }

    void RunOn(const std::string& project, std::vector<std::string> args) {
        args.insert(args.begin(), {"--project", project});
        const RunResult run = planhost.Run(args, false);
        ASSERT_EQ(run.exitCode, 0) << run.err;
    }

    // The plan as `list` prints it, without the GUIDs that every run makes anew.
    std::vector<std::string> Plan(const std::string& project) {
        std::vector<std::string> objects;
        for (std::string line : planhost.Run({"--project", project, "list"}, false).outLines) {
            const std::size_t guid = line.find("\"guid\":\"");
            objects.push_back(line.erase(guid, line.find("\",", guid) + 2 - guid));
        }
        return objects;
    }
};

TEST_F(FloorCommandTest, DoesWhatTheAddOnsCommandsDo) {
    RunOn("addon.db", {"import", "points.txt"});
    RunOn("floor.db", {"floor", "import", "points.txt"});
    EXPECT_EQ(Plan("floor.db"), Plan("addon.db"));
    ASSERT_EQ(Plan("addon.db").size(), 5u);

    RunOn("addon.db", {"export", "addon.txt"});
    RunOn("floor.db", {"floor", "export", "floor.txt"});
    EXPECT_EQ(planhost.ReadFile("floor.txt"), planhost.ReadFile("addon.txt"));

    RunOn("addon.db", {"update", "as-built.txt"});
    RunOn("floor.db", {"floor", "update", "as-built.txt"});
    EXPECT_EQ(Plan("floor.db"), Plan("addon.db"));
    EXPECT_EQ(Plan("addon.db").size(), 9u);

    RunOn("addon.db", {"insert", "--clicks-file", "clicks.txt"});
    RunOn("floor.db", {"floor", "insert", "clicks.txt"});
    EXPECT_EQ(Plan("floor.db"), Plan("addon.db"));
    EXPECT_EQ(Plan("addon.db").size(), 12u);

    // Each command leaves the same undo steps, newest first.
    for (int step = 0; step < 4; ++step) {
        SCOPED_TRACE(step);
        EXPECT_EQ(planhost.Run({"--project", "floor.db", "undo"}, false).out,
                  planhost.Run({"--project", "addon.db", "undo"}, false).out);
        EXPECT_EQ(Plan("floor.db"), Plan("addon.db"));
    }
}

}  // namespace
}  // namespace planhost_test
