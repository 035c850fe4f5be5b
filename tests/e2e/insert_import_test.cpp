// Insert points and Import points end to end: numbering, marker styles, the floor-plan guard,
// progress and cancel, the library choice, and what the user is told.
#include <sys/stat.h>

#include <functional>

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

class InsertPointsTest : public MeasurePointsTest {};

TEST_F(InsertPointsTest, NumbersOnFromTheStartNumberAndStoresTheNext) {
    WriteSettings("2", "12", "2.5");
    const RunResult run = Run({"insert", "--click", "1,2", "--click", "3.5,-4", "--click", "5,6"});
    EXPECT_THAT(run.Alerts(), IsEmpty());
    const std::vector<PlacedObject> plan = List();
    ASSERT_THAT(Ids(plan), ElementsAre("12", "13", "14"));
    EXPECT_EQ(plan[1].x, 3.5);
    EXPECT_EQ(plan[1].y, -4);
    for (const PlacedObject& point : plan) {
        EXPECT_EQ(point.part, "Stakemark.gsm");
        EXPECT_EQ(point.z, 0.01);
        EXPECT_EQ(point.a, 2.0);  // atoi of 2.5
        EXPECT_EQ(point.b, 2.0);
        EXPECT_EQ(point.params["strMarkerStyle"], "Cross in Circle");
        EXPECT_EQ(point.params["strMarkerStyle3D"], "Cone");
    }
    EXPECT_THAT(planhost.ReadFile(SettingsFile()), HasSubstr("\r\nStartNumber=15\r\n"));
}

TEST_F(InsertPointsTest, PlacesOnTheFloorPlanFromEveryViewAndBringsTheViewBack) {
    WriteSettings("2");
    const std::vector<std::pair<std::string, std::string>> views = {
        {"section", "2"}, {"3d", "3"}, {"layout", "4"}};
    for (const auto& [view, type] : views) {
        SCOPED_TRACE(view);
        const RunResult run = Run({"--view", view, "insert", "--click", "1,1"});
        EXPECT_THAT(ViewSwitches(run), ElementsAre("ACAPI_Database GDAT type=" + type + " -> 0x0",
                                                   "ACAPI_Database CDAT type=1 -> 0x0",
                                                   "ACAPI_Database CDAT type=" + type + " -> 0x0",
                                                   "ACAPI_Automate CHWD type=" + type + " -> 0x0"));
        EXPECT_THAT(TraceOf(run, "ACAPI_Interface IPOI"),
                    ElementsAre(HasSubstr("front=" + type), HasSubstr("front=" + type)));
    }
    EXPECT_EQ(List().size(), views.size());
}

// A start number beyond the last reads as the last, by atoi's clamp: each run places it once
// more and then says that the numbers are used up.
TEST_F(InsertPointsTest, StopsAfterTheHighestPointNumber) {
    WriteSettings("2", "2147483646");
    const RunResult run = Run({"insert", "--click", "1,1", "--click", "2,2", "--click", "3,3"});
    EXPECT_THAT(run.Alerts(), ElementsAre(HasSubstr("2147483647 is the highest")));
    EXPECT_THAT(Ids(List()), ElementsAre("2147483646", "2147483647"));
    EXPECT_THAT(planhost.ReadFile(SettingsFile()), HasSubstr("StartNumber=2147483648\r\n"));

    const RunResult again = Run({"insert", "--click", "4,4", "--click", "5,5"});
    EXPECT_THAT(again.Alerts(), ElementsAre(HasSubstr("2147483647 is the highest")));
    EXPECT_EQ(TraceOf(again, "ACAPI_Interface IPOI").size(), 1u);
    EXPECT_THAT(Ids(List()), ElementsAre("2147483646", "2147483647", "2147483647"));
    EXPECT_THAT(planhost.ReadFile(SettingsFile()), HasSubstr("StartNumber=2147483648\r\n"));
}

// Root may write a read-only file, which keeps its mode; a plain user may not.
TEST_F(InsertPointsTest, TellsWhenTheNextStartNumberCannotBeStored) {
    const struct {
        const char* what;
        std::function<bool()> protect;
        bool rootWrites;
        const char* told;  // the file cannot be read either in a folder's place
    } cases[] = {
        {"a folder where the file belongs",
         [&] {
             return std::filesystem::remove(SettingsFile()) &&
                    mkdir(SettingsFile().c_str(), 0755) == 0;
         },
         false, "start number 0 could not be stored"},
        {"a read-only file", [&] { return chmod(SettingsFile().c_str(), 0444) == 0; }, true,
         "start number 7 could not be stored"},
    };
    for (const bool plainUser : {false, true}) {
        if (plainUser) planhost.RunAsPlainUser();
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (plainUser ? " as a plain user" : ""));
            std::filesystem::remove_all(SettingsFile());
            WriteSettings("2", "007");
            ASSERT_TRUE(c.protect());
            FileState expected = StateOf(SettingsFile());
            const bool written = planhost.runsAsRoot() && c.rootWrites;
            if (written) expected.content.replace(expected.content.find("007"), 3, "7");

            const RunResult run = Run({"insert"});
            EXPECT_EQ(StateOf(SettingsFile()), expected);
            if (written) {
                EXPECT_THAT(run.Alerts(), IsEmpty());
            } else {
                EXPECT_THAT(run.Alerts(), ElementsAre(HasSubstr(c.told)));
            }
        }
    }
}

TEST_F(InsertPointsTest, FailedCreationGoesToTheDebugOutputAndTheNumberAdvances) {
    WriteSettings("2", "3");
    const RunResult run =
        Run({"--fail", "ACAPI_Element_Create=APIERR_GENERAL", "insert", "--click", "1,1"});
    EXPECT_THAT(run.Alerts(), IsEmpty());
    EXPECT_THAT(run.errLines, testing::Contains("debug: ACAPI_Element_Create (text): -2130313215"));
    EXPECT_THAT(run.errLines, testing::Contains("debug: (beep)"));
    EXPECT_THAT(List(), IsEmpty());
    EXPECT_THAT(planhost.ReadFile(SettingsFile()), HasSubstr("StartNumber=4\r\n"));
}

class ImportPointsTest : public MeasurePointsTest {};

TEST_F(ImportPointsTest, PlacesMeasuredPointsFirstWithProgressPerSet) {
    WriteSettings("2");
    planhost.WriteFile("in.txt",
                       "[Design_Points]\r\n21\t1\t1\t1\t\r\n22\t2\t2\t2\t\r\n[Measured_Points]\r\n"
                       "11\t3\t3\t3\t\r\n12\t4\t4\t4\t\r\n13\t5\t5\t5\textra\t\r\n");
    const RunResult run = Run({"--view", "section", "import", "in.txt"});
    EXPECT_THAT(run.Alerts(), IsEmpty());
    const std::vector<PlacedObject> plan = List();
    ASSERT_THAT(Ids(plan), ElementsAre("11", "12", "13", "21", "22"));
    EXPECT_EQ(plan[2].x, 5);
    EXPECT_EQ(plan[2].z, 5);
    EXPECT_EQ(plan[0].params["strMarkerStyle"], "Cross in Circle");
    EXPECT_EQ(plan[3].params["strMarkerStyle"], "Triangle");  // the part's own default
    EXPECT_EQ(plan[3].params["strMarkerStyle3D"], "Pin");
    EXPECT_THAT(TraceOf(run, "ACAPI_Interface SPRV"),
                ElementsAre(HasSubstr("value=1"), HasSubstr("value=2"), HasSubstr("value=3"),
                            HasSubstr("value=1"), HasSubstr("value=2")));
    EXPECT_THAT(
        ViewSwitches(run),
        ElementsAre("ACAPI_Database GDAT type=2 -> 0x0", "ACAPI_Database CDAT type=1 -> 0x0",
                    "ACAPI_Database CDAT type=2 -> 0x0", "ACAPI_Automate CHWD type=2 -> 0x0"));
    EXPECT_EQ(TraceOf(run, "ACAPI_Interface CPWD").size(), 1u);
}

TEST_F(ImportPointsTest, CancelEndsOnlyTheSetBeingPlaced) {
    WriteSettings("2");
    planhost.WriteFile("in.txt",
                       "1\t0\t0\t0\r\n2\t0\t0\t0\r\n3\t0\t0\t0\r\n4\t0\t0\t0\r\n"
                       "[Design_Points]\r\n8\t0\t0\t0\r\n9\t0\t0\t0\r\n");
    const RunResult run = Run({"import", "in.txt", "--cancel-after", "2"});
    EXPECT_THAT(Ids(List()), ElementsAre("1", "2", "8", "9"));
    EXPECT_EQ(TraceOf(run, "ACAPI_Interface CANC").size(), 4u);
}

// The alert names the file's first bad lines, although the measured lines below are placed first.
TEST_F(ImportPointsTest, NamesTheLinesItSkippedOrReadOnlyInPart) {
    WriteSettings("2");
    planhost.WriteFile("in.txt",
                       "[Design_Points]\r\nD1\t1\t1\t0\r\n8\tinf\t1\t0\r\n"
                       "[Measured_Points]\r\nP12\t1\t1\t0\r\n12A\t2\t2\t0\r\n5\t12,5\t3\t0\r\n"
                       "6\t1\t2\r\n7\t1\t1\t0\r\n9\t0x10\t1\t0\r\n10\t1\t-infinity\t0\r\n"
                       "11\t1\t1\tnan\r\n12\t1e400\t1\t0\r\n");
    const RunResult run = Run({"import", "in.txt"});
    const std::vector<PlacedObject> plan = List();
    EXPECT_THAT(Ids(plan), ElementsAre("0", "12", "5", "7", "9", "0"));
    EXPECT_EQ(plan[2].x, 12);
    EXPECT_EQ(plan[4].x, 16);
    EXPECT_THAT(
        run.Alerts(),
        ElementsAre(AllOf(HasSubstr("9 lines"), HasSubstr("(lines 2, 3, 5, 6, 7 and 4 more)"),
                          HasSubstr("no finite number (inf, nan, 1e400), were skipped"))));
    EXPECT_THAT(run.errLines, Not(Contains("debug: (beep)")));  // no point was refused
}

TEST_F(ImportPointsTest, ReadsUtf16FilesOfEitherByteOrder) {
    WriteSettings("2");
    const std::u16string lines[] = {
        u"[Design_Points]\r\n21\t1.5\t2\t3\t\r\n[Measured_Points]\r\n11\t-4\t5.25\t0.01\t\r\n",
        u"[Design_Points]\n21\t1.5\t2\t3\t\n[Measured_Points]\n11\t-4\t5.25\t0.01\t\n"};
    for (const ByteOrder order : {ByteOrder::Little, ByteOrder::Big}) {
        for (const std::u16string& text : lines) {
            planhost.WriteFile("in.txt", Utf16File(text, order));
            EXPECT_THAT(Run({"import", "in.txt"}).Alerts(), IsEmpty());
            const std::vector<PlacedObject> plan = List();
            ASSERT_GE(plan.size(), 2u);
            const PlacedObject& measured = plan[plan.size() - 2];
            const PlacedObject& design = plan.back();
            EXPECT_EQ(measured.id, "11");
            EXPECT_EQ(measured.x, -4);
            EXPECT_EQ(measured.y, 5.25);
            EXPECT_EQ(measured.z, 0.01);
            EXPECT_EQ(measured.params["strMarkerStyle"], "Cross in Circle");
            EXPECT_EQ(design.id, "21");
            EXPECT_EQ(design.x, 1.5);
            EXPECT_EQ(design.params["strMarkerStyle"], "Triangle");
        }
    }
    EXPECT_EQ(List().size(), 8u);
}

// Import and Update say so when a file that held something gave them no point line; an empty
// file says nothing, as a cancelled dialog.
TEST_F(ImportPointsTest, FileWithoutPointLinesIsNamed) {
    WriteSettings("2");
    Place("Stakemark.gsm", "7", 0, 0, {"strMarkerStyle=Cross in Circle"});
    const struct {
        const char* name;
        std::string content;
        bool told;
        bool crAlone;
    } cases[] = {
        {"classic mac.txt", "[Measured_Points]\r7\t1\t2\t3\t\r", true, true},
        {"mac-\u00fc.txt", Utf16File(u"[Design_Points]\r1\t2\t3\t4\r", ByteOrder::Little), true,
         true},
        {"headers.txt", "[Measured_Points]\r\n\r\n[Design_Points]\r\n", true, false},
        {"empty.txt", "", false, false},
        {"unicode-empty.txt", Utf16File(u"", ByteOrder::Big), false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        planhost.WriteFile(c.name, c.content);
        const std::string named =
            "No point line was found in the points file \"" + std::string(c.name) + "\"";
        for (const auto& [command, consequence] :
             {std::pair{"import", "Nothing was placed."},
              std::pair{"update", "No point was moved or placed."}}) {
            const std::vector<std::string> alerts = Run({command, c.name}).Alerts();
            if (!c.told) {
                EXPECT_THAT(alerts, IsEmpty()) << command;
                continue;
            }
            ASSERT_THAT(alerts, ElementsAre(AllOf(HasSubstr(named), HasSubstr(consequence))));
            EXPECT_EQ(alerts[0].find("its lines end in CR alone") != std::string::npos, c.crAlone)
                << command;
        }
    }
    EXPECT_THAT(Ids(List()), ElementsAre("7"));
}

TEST_F(ImportPointsTest, CancelledDialogPlacesNothingAndSaysNothing) {
    WriteSettings("2");
    const RunResult run = Run({"import"});
    EXPECT_THAT(run.Alerts(), IsEmpty());
    EXPECT_THAT(List(), IsEmpty());
    EXPECT_EQ(ViewSwitches(run).size(), 3u);  // the floor plan comes and goes all the same
}

struct LibraryCase {
    std::string library;
    std::string part;  // empty: no object is selected
    std::string markerStyle;
    std::string markerStyle3D;
};

void PrintTo(const LibraryCase& c, std::ostream* out) {
    *out << "Library=" << c.library << " -> \"" << c.part << "\"";
}

class LibraryChoiceTest : public MeasurePointsTest,
                          public ::testing::WithParamInterface<LibraryCase> {};

TEST_P(LibraryChoiceTest, SelectsTheObjectAndItsMarkerStyles) {
    const LibraryCase& c = GetParam();
    WriteSettings(c.library);
    planhost.WriteFile("in.txt", "1\t2\t3\t4\t\r\n");
    const RunResult run = Run({"import", "in.txt"});
    const std::vector<PlacedObject> plan = List();
    if (c.part.empty()) {
        EXPECT_THAT(run.Alerts(), ElementsAre("Object is not loaded."));
        EXPECT_THAT(plan, IsEmpty());
        EXPECT_THAT(ViewSwitches(run), IsEmpty());  // ended before the dialog
        return;
    }
    EXPECT_THAT(run.Alerts(), IsEmpty());
    ASSERT_EQ(plan.size(), 1u);
    EXPECT_EQ(plan[0].part, c.part);
    EXPECT_EQ(plan[0].params["strMarkerStyle"], c.markerStyle);
    EXPECT_EQ(plan[0].params["strMarkerStyle3D"], c.markerStyle3D);
}

INSTANTIATE_TEST_SUITE_P(
    Libraries, LibraryChoiceTest,
    ::testing::Values(LibraryCase{"1", "Piketmerk.gsm", "Kruis in cirkel", "Kegel"},
                      LibraryCase{"2", "Stakemark.gsm", "Cross in Circle", "Cone"},
                      LibraryCase{"3", "", "", ""}, LibraryCase{"", "", "", ""}),
    [](const ::testing::TestParamInfo<LibraryCase>& info) {
        return info.param.library.empty() ? std::string("NoChoice")
                                          : "Library" + info.param.library;
    });

}  // namespace
}  // namespace planhost_test
