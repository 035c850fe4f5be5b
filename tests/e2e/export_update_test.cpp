// Export points and Update points end to end: which objects are measure points, how they are
// written and read back, and how an update moves and adds them.

#if !defined(_WIN32)
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "IO/Utf8Path.hpp"
#include "measure_points_fixture.hpp"
#include "utf16_bytes.hpp"

namespace planhost_test {
namespace {

using ::testing::AllOf;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

const std::string kMeasured = "strMarkerStyle=Cross in Circle";
const std::string kDesign = "strMarkerStyle=Cone";

// File modes, owners, links, FIFOs and inotify are POSIX's: the tests of those run there. On
// Windows a read-only file is the protected one, which the settings tests cover.
#if !defined(_WIN32)
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
#endif

class ExportPointsTest : public MeasurePointsTest {};

// Imported points are measured or design points as they came; placed ones by their marker
// style, and their numbers are read from their element IDs. What was exported imports and exports
// again as the same file.
TEST_F(ExportPointsTest, SortsByMarkerStyleAndReadsBackAsItWasWritten) {
    planhost.WriteSettings("2");
    planhost.WriteFile("in.txt",
                       "[Measured_Points]\r\n7\t155000.4\t-3.25\t0.01\t\r\n"
                       "-3\t0.001\t1234567.891\t0\t\r\n[Design_Points]\r\n"
                       "2147483647\t1.5\t2.5\t-1\t\r\n");
    Run({"import", "in.txt"});
    Place("Stakemark.gsm", "P12", 3, 4, {kDesign});
    Place("Stakemark.gsm", "12A", 5, 6, {"strMarkerStyle=cross in circle"});
    Place("Stakemark.gsm", "<no memo>", 7, 8);
    Place("Tree.gsm", "9", 9, 9);
    Place("Stakemark.gsm", "7", 2.5, -1, {kMeasured});
    // A name outside the host's 8-bit code page (UTF-16 on Windows, surrogates included) reaches
    // the file as the user typed it, in a folder of such a name too.
    const std::string name = "Punkte \u2713/erste-\u20ac-\u70b9 \U0001F4D0.txt";
    std::filesystem::create_directory(planhost.folder() / IO::PathFromUtf8("Punkte \u2713"));
    // The points are read on the floor plan, where they live, and the section comes back.
    const RunResult run = Run({"--view", "section", "export", name});
    EXPECT_THAT(run.Alerts(), IsEmpty());
    EXPECT_EQ(ViewSwitches(run), FloorPlanVisit("2"));
    const std::string exported = planhost.ReadFile(IO::PathFromUtf8(name));
    EXPECT_EQ(exported,
              "[Measured_Points]\r\n7\t155000.4\t-3.25\t0.01\t\r\n-3\t0.001\t1234567.891\t0\t\r\n"
              "7\t2.5\t-1\t0\t\r\n[Design_Points]\r\n2147483647\t1.5\t2.5\t-1\t\r\n0\t3\t4\t0\t\r\n"
              "12\t5\t6\t0\t\r\n0\t7\t8\t0\t\r\n");
    Run({"--project", "second.db", "import", name});
    Run({"--project", "second.db", "export", "second.txt"});
    EXPECT_EQ(planhost.ReadFile("second.txt"), exported);
}

// Without measure points (no library object chosen, or none of it), without the object to place,
// or without a file chosen or one that can be written, nothing is written or changed; the
// cancelled dialog alone says nothing. An alert too long to show whole is cut between
// characters, never inside one (the second name moves the cut by one UTF-16 unit).
TEST_F(ExportPointsTest, WithoutPointsOrAFileNothingIsWrittenOrChanged) {
    Place("Stakemark.gsm", "1", 0, 0, {kMeasured});
    planhost.WriteFile("in.txt", "1\t5\t5\t5\t\r\n");
    const std::vector<std::string> plan = Rows();
    const auto emoji = [](int count) {
        std::string text;
        for (int i = 0; i < count; ++i) text += "\U0001F600";
        return text;
    };
    const struct {
        const char* library;
        std::vector<std::string> args;
        std::vector<std::string> alerts;
    } cases[] = {
        {"3", {"export", "out.txt"}, {"There are no Points!"}},
        {"", {"export", "out.txt"}, {"There are no Points!"}},
        {"3", {"update", "in.txt"}, {"There are no measure points to update."}},
        {"3", {"import", "in.txt"}, {"Object is not loaded."}},
        {"2", {"export"}, {}},
        {"2", {"import"}, {}},
        {"2", {"update"}, {}},
        {"2", {"export", "no/" + emoji(300)}, {"The points file \"no/" + emoji(245)}},
        {"2", {"export", "no/x" + emoji(300)}, {"The points file \"no/x" + emoji(245)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0] + " with Library=" + c.library);
        planhost.WriteSettings(c.library);
        const RunResult run = Run(c.args);
        EXPECT_EQ(run.Alerts(), c.alerts);
        EXPECT_THAT(TraceOf(run, {"ACAPI_Element_C"}), IsEmpty());
        EXPECT_FALSE(std::filesystem::exists(planhost.folder() / "out.txt"));
    }
    EXPECT_EQ(Rows(), plan);
}

#if !defined(_WIN32)
// A file that the user could not open for writing is not replaced: the user is told, and the
// file keeps content, mode and owner. Root writes what it could open, keeping mode and owner,
// but not a file of two names, which a new file would split.
TEST_F(ExportPointsTest, ReplacesOnlyWhatTheUserCouldWrite) {
    constexpr unsigned kOtherUser = 4242;
    const struct {
        const char* what;
        mode_t mode;
        bool otherUser;
        bool readOnlyFolder;
        bool secondName;
        bool rootWrites;
    } targets[] = {
        {"read-only file", 0444, false, false, false, true},
        {"file of another user", 0644, true, false, false, true},
        {"writable file of another user", 0666, true, false, false, true},
        {"writable file in a read-only folder", 0666, false, true, false, true},
        {"file with a second name", 0644, false, false, true, false},
    };
    planhost.WriteSettings("2");
    Place("Stakemark.gsm", "1", 0, 0, {kMeasured});
    for (const bool plainUser : {false, true}) {
        if (plainUser) planhost.RunAsPlainUser();
        const bool root = planhost.runsAsRoot();
        for (std::size_t i = 0; i < std::size(targets); ++i) {
            const auto& t = targets[i];
            SCOPED_TRACE(std::string(t.what) + (root ? " as root" : " as a plain user"));
            const std::string name =
                (plainUser ? "user-" : "root-") + std::to_string(i) + "/out.txt";
            const std::filesystem::path file = planhost.folder() / name;
            planhost.WriteFile(name, "[Design_Points]\r\n9\t9\t9\t9\t\r\n");
            if ((t.otherUser && chown(file.c_str(), kOtherUser, kOtherUser) != 0) ||
                chmod(file.c_str(), t.mode) != 0 ||
                (t.secondName && link(file.c_str(), (file.string() + ".twin").c_str()) != 0) ||
                (t.readOnlyFolder && chmod(file.parent_path().c_str(), 0555) != 0))
                continue;  // needs root to make
            FileState expected = StateOf(file);
            const bool written = root && t.rootWrites;
            if (written) expected.content = "[Measured_Points]\r\n1\t0\t0\t0\t\r\n";

            const RunResult run = Run({"export", name});
            chmod(file.parent_path().c_str(), 0755);
            EXPECT_EQ(StateOf(file), expected);
            const std::string told = "The points file \"" + name +
                                     "\" could not be written; the points were not exported.";
            EXPECT_EQ(run.Alerts(), written ? std::vector<std::string>{} : std::vector{told});
        }
    }
}
#endif

class UpdatePointsTest : public MeasurePointsTest {};

TEST_F(UpdatePointsTest, MovesEveryMeasuredPointOfANumberAndPlacesTheRest) {
    planhost.WriteSettings("2", "1", "3");
    Place("Stakemark.gsm", "7", 0, 0, {kMeasured});
    Place("Stakemark.gsm", "7", 1, 1, {kMeasured});
    Place("Stakemark.gsm", "7", 2, 2, {kDesign});
    Place("Stakemark.gsm", "8", 5, 5, {kMeasured});
    planhost.WriteFile("in.txt",
                       "[Measured_Points]\r\n7\t12.5\t-3.25\t0.01\t\r\n"
                       "[Design_Points]\r\n9\t1\t1\t1\t\r\n9\t2\t2\t2\t\r\n"
                       "07\t3\t3\t3\t\r\n7 \t4\t4\t4\t\r\n");
    const RunResult run = Run({"--view", "section", "update", "in.txt"});
    EXPECT_THAT(run.Alerts(), IsEmpty());
    EXPECT_EQ(ViewSwitches(run), FloorPlanVisit("2"));  // the update works on the floor plan
    // A design point is never moved; new points are not matched by later lines; names match as
    // text, so 07 and "7 " are new points with the number 7.
    EXPECT_THAT(
        Rows(),
        ElementsAre("7 12.5,-3.25,0.01 3x3 Cross in Circle/Pin",
                    "7 12.5,-3.25,0.01 3x3 Cross in Circle/Pin", "7 2,2,0 0.5x0.5 Cone/Pin",
                    "8 5,5,0 0.5x0.5 Cross in Circle/Pin", "9 1,1,1 3x3 Cross in Circle/Cone",
                    "9 2,2,2 3x3 Cross in Circle/Cone", "7 3,3,3 3x3 Cross in Circle/Cone",
                    "7 4,4,4 3x3 Cross in Circle/Cone"));
}

TEST_F(UpdatePointsTest, CoordinatesMissingBeforeTheFirstFullLineAreZeroAndTheLinesAreNamed) {
    planhost.WriteSettings("2");
    Place("Stakemark.gsm", "1", 0, 0, {kMeasured});
    // Coordinates that are no finite number move and place nothing, also when they carry over.
    // A name that is no number is point 0, by atoi. The file is UTF-16, big-endian.
    planhost.WriteFile("in.txt", Utf16File(u"5\t1\r\n\u00c43\t4\t5\t6\t\r\n\r\n1\t7\t8\t9\t\r\n"
                                           u"1\tnan\t0\t0\t\r\n9\t1e400\t1\t1\t\r\n9\r\n",
                                           ByteOrder::Big));
    const RunResult run = Run({"update", "in.txt"});
    EXPECT_THAT(Rows(),
                ElementsAre("1 7,8,9 1x1 Cross in Circle/Pin", "5 1,0,0 1x1 Cross in Circle/Cone",
                            "0 4,5,6 1x1 Cross in Circle/Cone"));
    EXPECT_THAT(run.Alerts(),
                ElementsAre(AllOf(HasSubstr("5 lines"), HasSubstr("lines 1, 2, 5, 6, 7)"),
                                  HasSubstr("no finite number (inf, nan, 1e400) moved and placed "
                                            "nothing"))));
    EXPECT_THAT(run.errLines, Not(Contains("debug: (beep)")));
}

#if !defined(_WIN32)
// The add-on opens a FIFO, but does not read it as a file: inotify counts the attempts.
TEST_F(UpdatePointsTest, MakesASecondAttemptAtAFileThatDoesNotOpen) {
    planhost.WriteSettings("2");
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
#endif

}  // namespace
}  // namespace planhost_test
