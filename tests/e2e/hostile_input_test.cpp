// Hostile input for every file and argument that planhost and the add-on take: binary files,
// NUL bytes, CR-only line ends, invalid UTF-8, numbers at the edges of atof and atoi, and paths
// that are folders or lead nowhere. Each gets the documented result or a clear message, and
// nothing crashes, leaks or damages the project. (scripts/hostile-input.sh does the huge ones.)
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "planhost_runner.hpp"

namespace planhost_test {
namespace {

using ::testing::AllOf;
using ::testing::AnyOf;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

struct HostileFile {
    const char* name;
    std::string content;
};

std::string EveryByte(int times) {
    std::string bytes;
    for (int i = 0; i < times; ++i)
        for (int byte = 0; byte < 256; ++byte) bytes.push_back(char(byte));
    return bytes;
}

std::vector<HostileFile> HostilePointsFiles() {
    using namespace std::string_literals;
    return {
        {"binary", EveryByte(8)},
        {"nul bytes in fields", "[Measured_Points]\r\n9\0\t1\t2\0003\t4\t\r\n\0\0\0\r\n"s},
        {"invalid utf-8", "\xc3\x28\xff\xfe\t1\t2\t3\t\r\n\xed\xa0\x80\t\xc0\xaf\t5\t6\t\r\n"},
        // Halves of surrogate pairs, and half a code unit at the end.
        {"broken utf-16", "\xff\xfe\x00\xd8\t\x00\x31\x00\x00\xdc\n\x00\x38\x00\t\x00\x31"s},
        {"cr only", "[Measured_Points]\r7\t1\t2\t3\t\r8\t4\t5\t6\t\r"},
        {"empty", ""},
        {"headers only", "[Measured_Points]\r\n[Design_Points]\r\n"},
        {"many empty lines", std::string(100000, '\n')},
        {"one long line", "7\t" + std::string(1 << 20, '1') + "\t2\t3\t\r\n"},
        {"numbers at the edges",
         "1\t1e400\t0\t0\t\r\n2\t-0\t-0\t-0\t\r\n3\tnan\t1\t1\t\r\n4\tinf\t1\t1\t\r\n"
         "5\t0x1p3\t0x1p3\t0\t\r\n99999999999\t1\t1\t1\t\r\n"},
    };
}

class HostileInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        planhost.WriteFile(SettingsFile(),
                           "Username=\r\nMinimized=0\r\nProjectUnits=\r\nSymbolSize=1\r\n"
                           "StartNumber=20\r\nLibrary=2\r\n");
        const RunResult run =
            planhost.Run({"place", "--part", "Stakemark.gsm", "--id", "7", "--x", "1", "--y", "1",
                          "--param", "strMarkerStyle=Cross in Circle"},
                         false);
        ASSERT_EQ(run.exitCode, 0) << run.err;
    }

    std::filesystem::path SettingsFile() const {
        return planhost.configHome() / "Orvane" / "Stakewise" / "Stakewise.ini";
    }

    // A run that ends by itself, with the given status, handing back every handle and without a
    // sanitizer report.
    RunResult RunCleanly(const std::vector<std::string>& args, int status = 0) {
        const RunResult run = planhost.Run(args, false);
        EXPECT_FALSE(run.timedOut);
        EXPECT_EQ(run.exitCode, status) << run.err;
        EXPECT_FALSE(run.LeakedHandles()) << run.err;
        EXPECT_THAT(run.err,
                    ::testing::Not(AnyOf(HasSubstr("Sanitizer"), HasSubstr("runtime error"))));
        return run;
    }

    // The objects' IDs and x, in plan order.
    std::vector<std::string> IdsAndX() {
        std::vector<std::string> objects;
        for (const std::string& line : RunCleanly({"list"}).outLines) {
            const std::size_t id = line.find("\"id\":");
            const std::size_t y = line.find(",\"y\":");
            objects.push_back(line.substr(id, y - id));
        }
        return objects;
    }

    PlanhostRunner planhost;
};

TEST_F(HostileInputTest, PointsFilesOfAnyContentLeaveAReadablePlan) {
    for (const HostileFile& file : HostilePointsFiles()) {
        SCOPED_TRACE(file.name);
        planhost.WriteFile("hostile.txt", file.content);
        RunCleanly({"import", "hostile.txt"});
        RunCleanly({"update", "hostile.txt"});
        // The point placed before is still there, where it was: no line carries its number as
        // a finite position.
        EXPECT_THAT(IdsAndX(), Contains("\"id\":\"7\",\"x\":1"));
    }
}

// Overflow reads as inf and, like nan, is no position: those lines are skipped and named, before
// the host sees them. -0 is 0, 0x1p3 is 8, and a number beyond 32 bits is clamped (and named).
TEST_F(HostileInputTest, NumbersAtTheEdgesOfAtofAndAtoi) {
    planhost.WriteFile("edges.txt", HostilePointsFiles().back().content);
    const RunResult run = RunCleanly({"import", "edges.txt"});
    EXPECT_THAT(IdsAndX(), ElementsAre("\"id\":\"7\",\"x\":1", "\"id\":\"2\",\"x\":0",
                                       "\"id\":\"5\",\"x\":8", "\"id\":\"2147483647\",\"x\":1"));
    EXPECT_THAT(run.Alerts(), ElementsAre(HasSubstr("4 lines of the points file were not read as "
                                                    "written (lines 1, 3, 4, 6)")));
    EXPECT_THAT(run.err, Not(HasSubstr("ACAPI_Element_Create")));
}

TEST_F(HostileInputTest, PointsFilePathsThatAreNoFile) {
    std::filesystem::create_directories(planhost.folder() / "folder.txt");
    for (const char* path : {"folder.txt", "missing.txt", "/nonexistent/points.txt"}) {
        SCOPED_TRACE(path);
        // Reading: a path that cannot be opened reads as no points, without a message.
        EXPECT_THAT(RunCleanly({"import", path}).Alerts(), IsEmpty());
        EXPECT_THAT(RunCleanly({"update", path}).Alerts(), IsEmpty());
        // Writing: the user learns that nothing was exported.
        const std::string missingFolder = std::string(path) == "missing.txt" ? "x/" : "";
        EXPECT_THAT(RunCleanly({"export", missingFolder + path}).Alerts(),
                    ElementsAre(HasSubstr("could not be written")));
    }
    EXPECT_TRUE(std::filesystem::is_directory(planhost.folder() / "folder.txt"));
    EXPECT_THAT(IdsAndX(), ElementsAre("\"id\":\"7\",\"x\":1"));
}

TEST_F(HostileInputTest, ProjectPathsThatAreNoProject) {
    std::filesystem::create_directories(planhost.folder() / "folder.db");
    planhost.WriteFile("binary.db", EveryByte(64));
    planhost.WriteFile("empty.db", "");
    for (const auto& [path, why] : {std::pair{"folder.db", "cannot open the project"},
                                    std::pair{"binary.db", "cannot open the project"},
                                    std::pair{"/nonexistent/plan.db", "no such project"}}) {
        SCOPED_TRACE(path);
        const RunResult run = RunCleanly({"--project", path, "list"}, 1);
        EXPECT_THAT(run.err, HasSubstr(why));
    }
    EXPECT_EQ(planhost.ReadFile("binary.db"), EveryByte(64));
    // An empty file reads as an empty project, and stays as it is.
    EXPECT_THAT(RunCleanly({"--project", "empty.db", "list"}).out, IsEmpty());
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
        planhost.WriteFile(SettingsFile(), content);
        RunCleanly({"import", "missing.txt"});
        RunCleanly({"insert", "--click", "3,3"});
        planhost.WriteFile(SettingsFile(), content);
        RunCleanly({"settings", "--symbol-size", "2", "--start-number", "3", "--library", "2"});
        EXPECT_THAT(planhost.ReadFile(SettingsFile()), HasSubstr("\r\nLibrary=2\r\n"));
    }
}

// A folder where the settings file belongs: nothing is read or saved, and the folder stays.
TEST_F(HostileInputTest, SettingsFileThatIsAFolder) {
    std::filesystem::remove(SettingsFile());
    std::filesystem::create_directories(SettingsFile());
    RunCleanly({"settings", "--symbol-size", "2", "--start-number", "3", "--library", "2"});
    EXPECT_THAT(RunCleanly({"import", "missing.txt"}).Alerts(),
                ElementsAre("Object is not loaded."));
    EXPECT_TRUE(std::filesystem::is_directory(SettingsFile()));
}

// Typed values go through the dialog's own check, atoi's rules: OK is enabled for a value that
// reads as a non-zero whole number (1e400 as 1, 99999999999 clamped), and the value is kept as
// typed; -0, nan, inf and 0x1p3 (the 0 before the x) read as 0 and disable it.
TEST_F(HostileInputTest, SettingsDialogValuesAtTheEdges) {
    const std::pair<const char*, bool> cases[] = {{"1e400", true},  {"-0", false},
                                                  {"nan", false},   {"inf", false},
                                                  {"0x1p3", false}, {"99999999999", true}};
    for (const auto& [value, enabled] : cases) {
        SCOPED_TRACE(value);
        const RunResult run = planhost.Run(
            {"settings", "--symbol-size", value, "--start-number", value, "--library", "2"}, false);
        const std::string saved = planhost.ReadFile(SettingsFile());
        if (enabled) {
            EXPECT_EQ(run.exitCode, 0) << run.err;
            EXPECT_THAT(saved, AllOf(HasSubstr("\r\nSymbolSize=" + std::string(value) + "\r\n"),
                                     HasSubstr("\r\nStartNumber=" + std::string(value) + "\r\n")));
        } else {
            EXPECT_EQ(run.exitCode, 3) << run.err;
            EXPECT_THAT(run.outLines, ElementsAre("settings: OK is disabled"));
            EXPECT_THAT(saved, Not(HasSubstr(std::string("=") + value + "\r\n")));
        }
    }
}

TEST_F(HostileInputTest, ClicksThatAreNoCoordinatesAreRefused) {
    for (const char* click : {"1e400,0", "nan,0", "inf,1", "0x1p3,1", "1,", ",", "\xff,1"}) {
        SCOPED_TRACE(click);
        const RunResult run = planhost.Run({"insert", "--click", click}, false);
        EXPECT_EQ(run.exitCode, 2) << run.out;
    }
    EXPECT_THAT(IdsAndX(), ElementsAre("\"id\":\"7\",\"x\":1"));
}

}  // namespace
}  // namespace planhost_test
