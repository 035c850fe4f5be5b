// Insert points and Import points end to end: numbering, marker styles, the floor-plan guard,
// progress and cancel, the library choice, and what the user is told.

#include "IO/Utf8Path.hpp"
#include "measure_points_fixture.hpp"
#include "utf16_bytes.hpp"

namespace planhost_test {
namespace {

using ::testing::AllOf;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::Field;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::IsSupersetOf;
using ::testing::Not;
using ::testing::StartsWith;

class InsertPointsTest : public MeasurePointsTest {};

// The points are placed on the floor plan whatever view is in front, which comes back after.
TEST_F(InsertPointsTest, NumbersOnFromTheStartNumberOnTheFloorPlanFromEveryView) {
    planhost.WriteSettings("2", "12", "2.5");
    EXPECT_THAT(Run({"insert", "--click", "1,2", "--click", "3.5,-4"}).Alerts(), IsEmpty());
    for (const auto& [view, type] :
         {std::pair{"section", "2"}, std::pair{"3d", "3"}, std::pair{"layout", "4"}}) {
        SCOPED_TRACE(view);
        const RunResult run = Run({"--view", view, "insert", "--click", "5,6"});
        EXPECT_EQ(ViewSwitches(run), FloorPlanVisit(type));
        EXPECT_THAT(TraceOf(run, {"ACAPI_Interface IPOI"}),
                    ElementsAre(HasSubstr(std::string("front=") + type),
                                HasSubstr(std::string("front=") + type)));
    }
    // A point that the host does not create goes to the debug output; its number is used.
    const RunResult failed =
        Run({"--fail", "ACAPI_Element_Create=APIERR_GENERAL", "insert", "--click", "1,1"});
    EXPECT_THAT(failed.Alerts(), IsEmpty());
    EXPECT_THAT(failed.errLines,
                IsSupersetOf({"debug: ACAPI_Element_Create (text): -2130313215", "debug: (beep)"}));
    // The symbol size is read by atoi: 2.5 is 2.
    EXPECT_THAT(Rows(), ElementsAre("12 1,2,0.01 2x2 Cross in Circle/Cone",
                                    "13 3.5,-4,0.01 2x2 Cross in Circle/Cone",
                                    "14 5,6,0.01 2x2 Cross in Circle/Cone",
                                    "15 5,6,0.01 2x2 Cross in Circle/Cone",
                                    "16 5,6,0.01 2x2 Cross in Circle/Cone"));
    EXPECT_THAT(planhost.ReadFile(planhost.SettingsFile()), HasSubstr("\r\nStartNumber=18\r\n"));
}

// A start number beyond the last reads as the last, by atoi's clamp: each run places it once
// more and then says that the numbers are used up.
TEST_F(InsertPointsTest, StopsAfterTheHighestPointNumber) {
    planhost.WriteSettings("2", "2147483646");
    const RunResult run = Run({"insert", "--click", "1,1", "--click", "2,2", "--click", "3,3"});
    EXPECT_THAT(run.Alerts(), ElementsAre(HasSubstr("2147483647 is the highest")));
    EXPECT_THAT(Ids(List()), ElementsAre("2147483646", "2147483647"));
    EXPECT_THAT(planhost.ReadFile(planhost.SettingsFile()),
                HasSubstr("StartNumber=2147483648\r\n"));

    const RunResult again = Run({"insert", "--click", "4,4", "--click", "5,5"});
    EXPECT_THAT(again.Alerts(), ElementsAre(HasSubstr("2147483647 is the highest")));
    EXPECT_EQ(TraceOf(again, {"ACAPI_Interface IPOI"}).size(), 1u);
    EXPECT_THAT(Ids(List()), ElementsAre("2147483646", "2147483647", "2147483647"));
    EXPECT_THAT(planhost.ReadFile(planhost.SettingsFile()),
                HasSubstr("StartNumber=2147483648\r\n"));
}

class ImportPointsTest : public MeasurePointsTest {};

// Progress counts the points of each set, and a cancel ends only the set being placed; a field
// after the fourth is ignored.
TEST_F(ImportPointsTest, PlacesMeasuredPointsFirstWithProgressAndCancelPerSet) {
    planhost.WriteSettings("2");
    planhost.WriteFile("in.txt",
                       "[Design_Points]\r\n21\t1\t1\t1\t\r\n22\t2\t2\t2\t\r\n[Measured_Points]\r\n"
                       "11\t3\t3\t3\t\r\n12\t4\t4\t4\textra\t\r\n13\t5\t5\t5\t\r\n");
    const RunResult run = Run({"--view", "section", "import", "in.txt", "--cancel-after", "2"});
    EXPECT_THAT(run.Alerts(), IsEmpty());
    // Design points keep the part's own marker styles.
    EXPECT_THAT(Rows(), ElementsAre("11 3,3,3 1x1 Cross in Circle/Cone",
                                    "12 4,4,4 1x1 Cross in Circle/Cone",
                                    "21 1,1,1 1x1 Triangle/Pin", "22 2,2,2 1x1 Triangle/Pin"));
    EXPECT_THAT(TraceOf(run, {"ACAPI_Interface SPRV"}),
                ElementsAre(HasSubstr("value=1"), HasSubstr("value=2"), HasSubstr("value=1"),
                            HasSubstr("value=2")));
    EXPECT_EQ(TraceOf(run, {"ACAPI_Interface CANC"}).size(), 4u);
    EXPECT_EQ(TraceOf(run, {"ACAPI_Interface CPWD"}).size(), 1u);
    EXPECT_EQ(ViewSwitches(run), FloorPlanVisit("2"));
}

// The alert names the file's first bad lines, although the measured lines below are placed
// first. -0 is 0, and a number beyond 32 bits is clamped (and named).
TEST_F(ImportPointsTest, NamesTheLinesItSkippedOrReadOnlyInPart) {
    planhost.WriteSettings("2");
    planhost.WriteFile(
        "in.txt",
        "[Design_Points]\r\nD1\t1\t1\t0\r\n8\tinf\t1\t0\r\n"
        "[Measured_Points]\r\nP12\t1\t1\t0\r\n12A\t2\t2\t0\r\n5\t12,5\t3\t0\r\n"
        "6\t1\t2\r\n7\t1\t1\t0\r\n9\t0x10\t0x1p3\t0\r\n10\t1\t-infinity\t0\r\n"
        "11\t1\t1\tnan\r\n12\t1e400\t1\t0\r\n2\t-0\t-0\t-0\r\n99999999999\t1\t1\t0\r\n");
    const RunResult run = Run({"import", "in.txt"});
    EXPECT_THAT(
        Rows(),
        ElementsAre("0 1,1,0 1x1 Cross in Circle/Cone", "12 2,2,0 1x1 Cross in Circle/Cone",
                    "5 12,3,0 1x1 Cross in Circle/Cone", "7 1,1,0 1x1 Cross in Circle/Cone",
                    "9 16,8,0 1x1 Cross in Circle/Cone", "2 0,0,0 1x1 Cross in Circle/Cone",
                    "2147483647 1,1,0 1x1 Cross in Circle/Cone", "0 1,1,0 1x1 Triangle/Pin"));
    EXPECT_THAT(
        run.Alerts(),
        ElementsAre(AllOf(HasSubstr("10 lines"), HasSubstr("(lines 2, 3, 5, 6, 7 and 5 more)"),
                          HasSubstr("no finite number (inf, nan, 1e400), were skipped"))));
    EXPECT_THAT(run.errLines, Not(Contains("debug: (beep)")));  // no point was refused
}

// Import and Update say so when a file that held something gave them no point line; an empty
// file says nothing, as a cancelled dialog.
TEST_F(ImportPointsTest, FileWithoutPointLinesIsNamed) {
    planhost.WriteSettings("2");
    Place("Stakemark.gsm", "7", 0, 0, {"strMarkerStyle=Cross in Circle"});
    const std::string crAlone = "\": its lines end in CR alone";
    const struct {
        const char* name;
        std::string content;
        std::string told;  // what follows the name; empty: nothing is told
    } cases[] = {
        {"classic mac.txt", "[Measured_Points]\r7\t1\t2\t3\t\r", crAlone},
        {"mac-\u00fc.txt", Utf16File(u"[Design_Points]\r1\t2\t3\t4\r", ByteOrder::Little), crAlone},
        {"headers.txt", "[Measured_Points]\r\n\r\n[Design_Points]\r\n", "\". "},
        {"empty.txt", "", ""},
        {"unicode-empty.txt", Utf16File(u"", ByteOrder::Big), ""},
    };
    for (const auto& c : cases) {
        planhost.WriteFile(IO::PathFromUtf8(c.name), c.content);
        for (const auto& [command, consequence] :
             {std::pair{"import", "Nothing was placed."},
              std::pair{"update", "No point was moved or placed."}}) {
            SCOPED_TRACE(std::string(command) + " " + c.name);
            const std::vector<std::string> alerts = Run({command, c.name}).Alerts();
            if (c.told.empty()) {
                EXPECT_THAT(alerts, IsEmpty());
            } else {
                EXPECT_THAT(alerts, ElementsAre(AllOf(
                                        StartsWith("No point line was found in the points file \"" +
                                                   std::string(c.name) + c.told),
                                        EndsWith(consequence))));
            }
        }
    }
    EXPECT_THAT(Ids(List()), ElementsAre("7"));
}

// The library choice picks the part and its marker styles.
TEST_F(ImportPointsTest, LibraryChoiceSelectsTheObjectAndItsMarkerStyles) {
    planhost.WriteFile("in.txt", "1\t2\t3\t4\t\r\n");
    for (const char* library : {"1", "2"}) {
        planhost.WriteSettings(library);
        EXPECT_THAT(Run({"import", "in.txt"}).Alerts(), IsEmpty()) << "Library=" << library;
    }
    EXPECT_THAT(Rows(), ElementsAre("1 2,3,4 1x1 Kruis in cirkel/Kegel",
                                    "1 2,3,4 1x1 Cross in Circle/Cone"));
    EXPECT_THAT(List(), ElementsAre(Field(&PlacedObject::part, "Piketmerk.gsm"),
                                    Field(&PlacedObject::part, "Stakemark.gsm")));
}

}  // namespace
}  // namespace planhost_test
