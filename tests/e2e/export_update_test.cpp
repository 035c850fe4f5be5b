// Export points and Update points end to end: which objects are measure points, how they are
// written and read back, and how an update moves and adds them.
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <functional>

#include "measure_points_fixture.hpp"
#include "utf16_bytes.hpp"

namespace planhost_test {
namespace {

using ::testing::AllOf;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::StartsWith;

const std::string kMeasured = "strMarkerStyle=Cross in Circle";

// The opens that an inotify watch has seen since the last call.
int CountOpens(int events) {
    int opens = 0;
    alignas(inotify_event) char buffer[4096];
    for (ssize_t got; (got = ::read(events, buffer, sizeof buffer)) > 0;) {
        for (const char* at = buffer; at < buffer + got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(at);
            if (event->mask & IN_OPEN) ++opens;
            at += sizeof(inotify_event) + event->len;
        }
    }
    return opens;
}
const std::string kDesign = "strMarkerStyle=Cone";

class ExportPointsTest : public MeasurePointsTest {};

TEST_F(ExportPointsTest, SortsByMarkerStyleAndReadsNumbersFromElementIDs) {
    WriteSettings("2");
    Place("Stakemark.gsm", "7", 1, 2, {kMeasured});
    Place("Stakemark.gsm", "P12", 3, 4, {kDesign});
    Place("Stakemark.gsm", "12A", 5, 6, {"strMarkerStyle=cross in circle"});
    Place("Stakemark.gsm", "<no memo>", 7, 8);
    Place("Tree.gsm", "9", 9, 9);
    Place("Stakemark.gsm", "7", 2.5, -1, {kMeasured});
    const RunResult run = Run({"export", "out.txt"});
    EXPECT_THAT(run.Alerts(), IsEmpty());
    EXPECT_EQ(planhost.ReadFile("out.txt"),
              "[Measured_Points]\r\n7\t1\t2\t0\t\r\n7\t2.5\t-1\t0\t\r\n"
              "[Design_Points]\r\n0\t3\t4\t0\t\r\n12\t5\t6\t0\t\r\n0\t7\t8\t0\t\r\n");
}

TEST_F(ExportPointsTest, ReadsThePointsOnTheFloorPlanWhenASectionIsInFront) {
    WriteSettings("2");
    Place("Stakemark.gsm", "4", 1, 2, {kMeasured});
    const RunResult run = Run({"--view", "section", "export", "out.txt"});
    EXPECT_THAT(run.Alerts(), IsEmpty());
    EXPECT_EQ(planhost.ReadFile("out.txt"), "[Measured_Points]\r\n4\t1\t2\t0\t\r\n");
    EXPECT_THAT(
        ViewSwitches(run),
        ElementsAre("ACAPI_Database GDAT type=2 -> 0x0", "ACAPI_Database CDAT type=1 -> 0x0",
                    "ACAPI_Database CDAT type=2 -> 0x0", "ACAPI_Automate CHWD type=2 -> 0x0"));
}

TEST_F(ExportPointsTest, WithoutMeasurePointsSaysSoAndWritesNothing) {
    Place("Stakemark.gsm", "1", 0, 0, {kMeasured});
    for (const char* library : {"3", ""}) {
        SCOPED_TRACE(library);
        WriteSettings(library);
        const RunResult run = Run({"export", "out.txt"});
        EXPECT_THAT(run.Alerts(), ElementsAre("There are no Points!"));
        EXPECT_FALSE(std::filesystem::exists(planhost.folder() / "out.txt"));
    }
}

TEST_F(ExportPointsTest, CancelledDialogWritesNothingAndSaysNothing) {
    WriteSettings("2");
    Place("Stakemark.gsm", "1", 0, 0, {kMeasured});
    const RunResult run = Run({"export"});
    EXPECT_THAT(run.Alerts(), IsEmpty());
}

TEST_F(ExportPointsTest, FileThatCannotBeWrittenIsNamedToTheUser) {
    WriteSettings("2");
    Place("Stakemark.gsm", "1", 0, 0, {kMeasured});
    const RunResult run = Run({"export", "no-such-folder/out.txt"});
    EXPECT_THAT(run.Alerts(),
                ElementsAre(AllOf(HasSubstr("no-such-folder/out.txt"), HasSubstr("not"))));

    // An alert too long to show whole is cut between characters, never inside one (the second
    // name moves the cut by one UTF-16 unit).
    const std::string kEmoji = "\U0001F600";
    for (const std::string folder : {"no-such-folder/", "no-such-folder/x"}) {
        std::string name = folder;
        for (int i = 0; i < 300; ++i) name += kEmoji;
        const std::vector<std::string> alerts = Run({"export", name}).Alerts();
        ASSERT_EQ(alerts.size(), 1u);
        EXPECT_THAT(alerts[0], AllOf(StartsWith("The points file \"" + folder + kEmoji),
                                     EndsWith(kEmoji), Not(HasSubstr("\uFFFD"))));
    }
}

// A file that the user could not open for writing is not replaced: the user is told, and the
// file keeps content, mode and owner. Root writes what it could open, keeping mode and owner.
TEST_F(ExportPointsTest, ReplacesOnlyWhatTheUserCouldWrite) {
    constexpr unsigned kOtherUser = 4242;
    const auto otherUsers = [](const std::filesystem::path& file, mode_t mode) {
        return chown(file.c_str(), kOtherUser, kOtherUser) == 0 && chmod(file.c_str(), mode) == 0;
    };
    const struct {
        const char* what;
        std::function<bool(const std::filesystem::path&)> protect;  // false: cannot be made
        bool rootWrites;
        bool userWrites;
    } targets[] = {
        {"read-only file", [](auto& file) { return chmod(file.c_str(), 0444) == 0; }, true, false},
        {"file of another user", [&](auto& file) { return otherUsers(file, 0644); }, true, false},
        {"writable file of another user", [&](auto& file) { return otherUsers(file, 0666); }, true,
         false},
        {"writable file in a read-only folder",
         [](auto& file) {
             return chmod(file.c_str(), 0666) == 0 && chmod(file.parent_path().c_str(), 0555) == 0;
         },
         true, false},
        {"file with a second name",
         [](auto& file) { return link(file.c_str(), (file.string() + ".twin").c_str()) == 0; },
         false, false},
        {"symbolic link to a writable file",
         [](auto& file) {
             const std::filesystem::path real = file.parent_path() / "real.txt";
             return rename(file.c_str(), real.c_str()) == 0 &&
                    symlink("real.txt", file.c_str()) == 0;
         },
         true, true},
    };
    WriteSettings("2");
    Place("Stakemark.gsm", "1", 0, 0, {kMeasured});
    for (const bool plainUser : {false, true}) {
        if (plainUser) planhost.RunAsPlainUser();
        const bool root = planhost.runsAsRoot();
        for (std::size_t i = 0; i < std::size(targets); ++i) {
            SCOPED_TRACE(std::string(targets[i].what) + (root ? " as root" : " as a plain user"));
            const std::string name =
                (plainUser ? "user-" : "root-") + std::to_string(i) + "/out.txt";
            const std::filesystem::path file = planhost.folder() / name;
            planhost.WriteFile(name, "[Design_Points]\r\n9\t9\t9\t9\t\r\n");
            if (!targets[i].protect(file)) continue;  // needs root to make
            FileState expected = StateOf(file);
            const bool written = root ? targets[i].rootWrites : targets[i].userWrites;
            if (written) expected.content = "[Measured_Points]\r\n1\t0\t0\t0\t\r\n";

            const RunResult run = Run({"export", name});
            chmod(file.parent_path().c_str(), 0755);
            EXPECT_EQ(StateOf(file), expected);
            if (written) {
                EXPECT_THAT(run.Alerts(), IsEmpty());
            } else {
                EXPECT_THAT(run.Alerts(), ElementsAre(AllOf(HasSubstr("\"" + name + "\""),
                                                            HasSubstr("could not be written"))));
            }
        }
    }
}

TEST_F(ExportPointsTest, ExportImportExportGivesTheSameFile) {
    WriteSettings("2");
    planhost.WriteFile("in.txt",
                       "[Measured_Points]\r\n7\t155000.4\t-3.25\t0.01\t\r\n"
                       "-3\t0.001\t1234567.891\t0\t\r\n[Design_Points]\r\n"
                       "2147483647\t1.5\t2.5\t-1\t\r\n");
    // A name outside the host's 8-bit code page reaches the file as it is.
    const std::string firstName = "erste-\u20ac-\u70b9.txt";
    Run({"import", "in.txt"});
    Run({"export", firstName});
    Run({"--project", "second.db", "import", firstName});
    Run({"--project", "second.db", "export", "second.txt"});
    const std::string first = planhost.ReadFile(firstName);
    EXPECT_THAT(first, AllOf(HasSubstr("[Measured_Points]\r\n7\t"), HasSubstr("\r\n-3\t"),
                             HasSubstr("[Design_Points]\r\n2147483647\t1.5\t2.5\t-1\t\r\n")));
    EXPECT_EQ(planhost.ReadFile("second.txt"), first);
}

class UpdatePointsTest : public MeasurePointsTest {};

TEST_F(UpdatePointsTest, MovesEveryMeasuredPointOfANumberAndPlacesTheRest) {
    WriteSettings("2", "1", "3");
    Place("Stakemark.gsm", "7", 0, 0, {kMeasured});
    Place("Stakemark.gsm", "7", 1, 1, {kMeasured});
    Place("Stakemark.gsm", "7", 2, 2, {kDesign});
    Place("Stakemark.gsm", "8", 5, 5, {kMeasured});
    planhost.WriteFile("in.txt",
                       "[Measured_Points]\r\n7\t12.5\t-3.25\t0.01\t\r\n"
                       "[Design_Points]\r\n9\t1\t1\t1\t\r\n9\t2\t2\t2\t\r\n"
                       "07\t3\t3\t3\t\r\n7 \t4\t4\t4\t\r\n");
    const RunResult run = Run({"update", "in.txt"});
    EXPECT_THAT(run.Alerts(), IsEmpty());
    const std::vector<PlacedObject> plan = List();
    // Names match as text: 07 and "7 " are new points with the number 7.
    ASSERT_THAT(Ids(plan), ElementsAre("7", "7", "7", "8", "9", "9", "7", "7"));
    EXPECT_EQ(plan[6].x, 3);
    EXPECT_EQ(plan[7].x, 4);
    for (int i : {0, 1}) {
        EXPECT_EQ(plan[i].x, 12.5);
        EXPECT_EQ(plan[i].y, -3.25);
        EXPECT_EQ(plan[i].z, 0.01);
        EXPECT_EQ(plan[i].a, 3);
        EXPECT_EQ(plan[i].params["strMarkerStyle"], "Cross in Circle");
    }
    EXPECT_EQ(plan[2].x, 2);  // a design point is never moved
    EXPECT_EQ(plan[2].a, 0.5);
    EXPECT_EQ(plan[3].x, 5);
    EXPECT_EQ(plan[4].x, 1);  // new points are not matched by later lines
    EXPECT_EQ(plan[5].z, 2);
    EXPECT_EQ(plan[5].params["strMarkerStyle"], "Cross in Circle");
}

TEST_F(UpdatePointsTest, CoordinatesMissingBeforeTheFirstFullLineAreZeroAndTheLinesAreNamed) {
    WriteSettings("2");
    Place("Stakemark.gsm", "1", 0, 0, {kMeasured});
    // Coordinates that are no finite number move and place nothing, also when they carry over.
    planhost.WriteFile("in.txt",
                       "5\t1\r\nP3\t4\t5\t6\t\r\n\r\n1\t7\t8\t9\t\r\n1\tnan\t0\t0\t\r\n"
                       "9\t1e400\t1\t1\t\r\n9\r\n");
    const RunResult run = Run({"update", "in.txt"});
    const std::vector<PlacedObject> plan = List();
    ASSERT_THAT(Ids(plan), ElementsAre("1", "5", "0"));
    EXPECT_EQ(plan[0].x, 7);
    EXPECT_EQ(plan[1].x, 1);
    EXPECT_EQ(plan[1].y, 0);
    EXPECT_EQ(plan[1].z, 0);
    EXPECT_THAT(run.Alerts(),
                ElementsAre(AllOf(HasSubstr("5 lines"), HasSubstr("lines 1, 2, 5, 6, 7)"),
                                  HasSubstr("no finite number (inf, nan, 1e400) moved and placed "
                                            "nothing"))));
    EXPECT_THAT(run.errLines, Not(Contains("debug: (beep)")));
}

TEST_F(UpdatePointsTest, ReadsUtf16FilesAndNamesBeyondAscii) {
    WriteSettings("2");
    Place("Stakemark.gsm", "7", 0, 0, {kMeasured});
    const struct {
        ByteOrder order;
        std::u16string lineEnd;
        double x;
    } cases[] = {{ByteOrder::Little, u"\r\n", 12.5}, {ByteOrder::Big, u"\n", -3.25}};
    for (const auto& c : cases) {
        const std::u16string x = c.x == 12.5 ? u"12.5" : u"-3.25";
        planhost.WriteFile("in.txt",
                           Utf16File(u"[Measured_Points]" + c.lineEnd + u"7\t" + x + u"\t2\t3\t" +
                                         c.lineEnd + u"\u00c47\t4\t5\t6" + c.lineEnd,
                                     c.order));
        const RunResult run = Run({"update", "in.txt"});
        EXPECT_THAT(run.Alerts(), ElementsAre(AllOf(HasSubstr("1 line"), HasSubstr("(line 3)"))));
        const std::vector<PlacedObject> plan = List();
        EXPECT_EQ(plan[0].x, c.x);
        EXPECT_EQ(plan[0].z, 3);
        EXPECT_EQ(plan.back().id, "0");  // atoi of the name
        EXPECT_EQ(plan.back().x, 4);
    }
    EXPECT_EQ(List().size(), 3u);
}

// The add-on opens a FIFO, but does not read it as a file: inotify counts the attempts.
TEST_F(UpdatePointsTest, MakesASecondAttemptAtAFileThatDoesNotOpen) {
    WriteSettings("2");
    Place("Stakemark.gsm", "1", 0, 0, {kMeasured});
    const std::string fifo = planhost.folder() / "in.txt";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int events = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(::inotify_add_watch(events, fifo.c_str(), IN_OPEN | IN_CLOSE_NOWRITE), 0);
    EXPECT_THAT(Run({"update", "in.txt"}).Alerts(), IsEmpty());
    EXPECT_EQ(CountOpens(events), 2);
    EXPECT_THAT(Run({"import", "in.txt"}).Alerts(), IsEmpty());
    EXPECT_EQ(CountOpens(events), 1);
    ::close(events);
    EXPECT_EQ(List()[0].x, 0);
}

TEST_F(UpdatePointsTest, WithoutMeasuredPointsSaysSoAndChangesNothing) {
    WriteSettings("2");
    Place("Stakemark.gsm", "7", 0, 0, {kDesign});
    planhost.WriteFile("in.txt", "7\t1\t1\t1\t\r\n");
    const RunResult run = Run({"update", "in.txt"});
    EXPECT_THAT(run.Alerts(), ElementsAre("There are no measure points to update."));
    EXPECT_THAT(TraceOf(run, "ACAPI_Element_Change"), IsEmpty());
    const std::vector<PlacedObject> plan = List();
    ASSERT_EQ(plan.size(), 1u);
    EXPECT_EQ(plan[0].x, 0);
}

TEST_F(UpdatePointsTest, WorksOnTheFloorPlanFromASection) {
    WriteSettings("2");
    Place("Stakemark.gsm", "1", 0, 0, {kMeasured});
    planhost.WriteFile("in.txt", "1\t2\t3\t4\t\r\n");
    const RunResult run = Run({"--view", "section", "update", "in.txt"});
    EXPECT_THAT(
        ViewSwitches(run),
        ElementsAre("ACAPI_Database GDAT type=2 -> 0x0", "ACAPI_Database CDAT type=1 -> 0x0",
                    "ACAPI_Database CDAT type=2 -> 0x0", "ACAPI_Automate CHWD type=2 -> 0x0"));
    EXPECT_EQ(List()[0].x, 2);
}

}  // namespace
}  // namespace planhost_test
