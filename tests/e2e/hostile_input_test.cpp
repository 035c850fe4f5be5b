// Hostile input for every file and argument that planhost and the add-on take: binary files,
// NUL bytes, CR-only line ends, invalid UTF-8, numbers at the edges of atof and atoi, and paths
// that are folders or lead nowhere. Each gets the documented result or a clear message, and
// nothing crashes, leaks or damages the project. (scripts/hostile-input.sh does the huge ones.)
#include "measure_points_fixture.hpp"

namespace planhost_test {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

std::string EveryByte(int times) {
    std::string bytes;
    for (int i = 0; i < times; ++i)
        for (int byte = 0; byte < 256; ++byte) bytes.push_back(char(byte));
    return bytes;
}

// Every run must end by itself with status 0 and hand back every handle (the fixture's Run): a
// sanitizer build ends a run with another status at its first finding.
class HostileInputTest : public MeasurePointsTest {
protected:
    void SetUp() override {
        planhost.WriteSettings("2", "20");
        Place("Stakemark.gsm", "7", 1, 1, {"strMarkerStyle=Cross in Circle"});
    }

    // Point 7, measured, where SetUp placed it.
    const std::string kKept = "7 1,1,0 0.5x0.5 Cross in Circle/Pin";
};

TEST_F(HostileInputTest, PointsFilesOfAnyContentLeaveAReadablePlan) {
    using namespace std::string_literals;
    const std::pair<const char*, std::string> files[] = {
        {"binary", EveryByte(8)},
        {"nul bytes in fields", "[Measured_Points]\r\n9\0\t1\t2\0003\t4\t\r\n\0\0\0\r\n"s},
        {"invalid utf-8", "\xc3\x28\xff\xfe\t1\t2\t3\t\r\n\xed\xa0\x80\t\xc0\xaf\t5\t6\t\r\n"},
        // Halves of surrogate pairs, and half a code unit at the end.
        {"broken utf-16", "\xff\xfe\x00\xd8\t\x00\x31\x00\x00\xdc\n\x00\x38\x00\t\x00\x31"s},
        {"many empty lines", std::string(100000, '\n')},
        {"one long line", "7\t" + std::string(1 << 20, '1') + "\t2\t3\t\r\n"},
        {"numbers at the edges",
         "1\t1e400\t0\t0\t\r\n2\t-0\t-0\t-0\t\r\n3\tnan\t1\t1\t\r\n4\tinf\t1\t1\t\r\n"
         "5\t0x1p3\t0x1p3\t0\t\r\n99999999999\t1\t1\t1\t\r\n"},
    };
    for (const auto& [name, content] : files) {
        SCOPED_TRACE(name);
        planhost.WriteFile("hostile.txt", content);
        Run({"import", "hostile.txt"});
        Run({"update", "hostile.txt"});
        // The point placed before is still there, where it was: no line carries its number as
        // a finite position.
        EXPECT_THAT(Rows(), Contains(kKept));
    }
}

TEST_F(HostileInputTest, PointsFilePathsThatAreNoFile) {
    std::filesystem::create_directories(planhost.folder() / "folder.txt");
    for (const char* path : {"folder.txt", "/nonexistent/points.txt"}) {
        SCOPED_TRACE(path);
        // Reading: a path that cannot be opened reads as no points, without a message.
        EXPECT_THAT(Run({"import", path}).Alerts(), IsEmpty());
        EXPECT_THAT(Run({"update", path}).Alerts(), IsEmpty());
        // Writing: the user learns that nothing was exported.
        EXPECT_THAT(Run({"export", path}).Alerts(), ElementsAre(HasSubstr("could not be written")));
    }
    EXPECT_TRUE(std::filesystem::is_directory(planhost.folder() / "folder.txt"));
    EXPECT_THAT(Rows(), ElementsAre(kKept));
}

TEST_F(HostileInputTest, ProjectPathsThatAreNoProject) {
    std::filesystem::create_directories(planhost.folder() / "folder.db");
    planhost.WriteFile("binary.db", EveryByte(64));
    planhost.WriteFile("empty.db", "");
    for (const char* path : {"folder.db", "binary.db"}) {
        SCOPED_TRACE(path);
        const RunResult run = planhost.Run({"--project", path, "list"});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_THAT(run.err, HasSubstr("cannot open the project"));
    }
    EXPECT_EQ(planhost.ReadFile("binary.db"), EveryByte(64));
    // An empty file reads as an empty project, and stays as it is.
    EXPECT_THAT(Run({"--project", "empty.db", "list"}).out, IsEmpty());
    EXPECT_EQ(planhost.ReadFile("empty.db"), "");
}

TEST_F(HostileInputTest, SettingsFilesOfAnyContent) {
    using namespace std::string_literals;
    const std::string contents[] = {
        EveryByte(4),
        "Library=2\0\r\nSymbolSize=\0\0\r\n"s,
        "Library=2\rSymbolSize=3\rStartNumber=4\r",
        "\xff\xfeL\0i\0b\0r\0a\0r\0y\0=\0002\0"s,
        "Username=" + std::string(100000, 'x') + "\r\nLibrary=2\r\n",
        "Library=1e400\r\nSymbolSize=nan\r\nStartNumber=99999999999\r\n",
    };
    for (const std::string& content : contents) {
        SCOPED_TRACE(content.substr(0, 40));
        planhost.WriteFile(planhost.SettingsFile(), content);
        Run({"import", "missing.txt"});
        Run({"insert", "--click", "3,3"});
        planhost.WriteFile(planhost.SettingsFile(), content);
        Run({"settings", "--symbol-size", "2", "--start-number", "3", "--library", "2"});
        EXPECT_THAT(planhost.ReadFile(planhost.SettingsFile()), HasSubstr("\r\nLibrary=2\r\n"));
    }
}

TEST_F(HostileInputTest, ClicksThatAreNoCoordinatesAreRefused) {
    for (const char* click : {"1e400,0", "nan,0", "inf,1", "0x1p3,1", "1,", ",", "\xff,1"}) {
        SCOPED_TRACE(click);
        const RunResult run = planhost.Run({"insert", "--click", click}, false);
        EXPECT_EQ(run.exitCode, 2) << run.out;
    }
    EXPECT_THAT(Rows(), ElementsAre(kKept));
}

}  // namespace
}  // namespace planhost_test
