// The Settings and Info dialogs end to end: planhost picks the menu items and acts as the user.
// Also the saves of the settings file that fail, from the dialog and from Insert points.
#include "measure_points_fixture.hpp"

namespace planhost_test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

class DialogCommandsTest : public MeasurePointsTest {};

std::vector<std::string> SettingsDialog(const std::string& symbolSize,
                                        const std::string& startNumber,
                                        const std::string& library = "2") {
    return {"settings",  "--symbol-size", symbolSize, "--start-number",
            startNumber, "--library",     library};
}

// OK on a fresh home writes the six lines. A dialog that could not be used as asked is
// cancelled, and the exit status says why; that, Cancel and the bare menu items leave them alone.
// Typed values go through atoi's rules: a value that reads as a non-zero whole number (1e400 as
// 1, 99999999999 clamped) enables OK and is kept as typed; nan and 0x1p3 (the 0 before the x)
// read as 0.
TEST_F(DialogCommandsTest, OnlyOkWritesTheSettings) {
    const std::string kDisabled = "settings: OK is disabled\n";
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string out;
        std::string err;
    } cases[] = {
        {SettingsDialog("1", "1"), 0, "", ""},
        {SettingsDialog("0.5", "1"), 3, kDisabled, ""},
        {SettingsDialog("nan", "nan"), 3, kDisabled, ""},
        {SettingsDialog("0x1p3", "0x1p3"), 3, kDisabled, ""},
        {SettingsDialog("2", "1", "3"), 2, "",
         "planhost: settings --library 3: the library list has no entry 3\n"},
        {{"settings", "--symbol-size", "9", "--cancel"}, 0, "", ""},
        {{"menu", "32504"}, 0, "", ""},
        {{"menu", "32505"}, 0, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const RunResult run = planhost.Run(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode);
        // By lines: a line on Windows ends in CR LF.
        EXPECT_EQ(run.outLines, SplitLines(c.out));
        EXPECT_EQ(run.errLines, SplitLines(c.err));
        EXPECT_FALSE(run.LeakedHandles());
        EXPECT_EQ(planhost.ReadFile(planhost.SettingsFile()),
                  "Username=\r\nMinimized=0\r\nProjectUnits=\r\nSymbolSize=1\r\nStartNumber=1\r\n"
                  "Library=2\r\n");
    }
    EXPECT_EQ(planhost.Run(SettingsDialog("1e400", "99999999999")).exitCode, 0);
    EXPECT_THAT(planhost.ReadFile(planhost.SettingsFile()),
                HasSubstr("\r\nSymbolSize=1e400\r\nStartNumber=99999999999\r\n"));
}

// The user is told when the settings could not be saved, and the file (or what stands in its
// folder's place) stays as it was. Root may write a read-only file, which keeps its mode; a
// plain user may not. Insert points stores the next start number as a number (007 as 7); in a
// folder's place it reads none either.
TEST_F(DialogCommandsTest, FailedSaveIsToldAndChangesNothing) {
    const std::filesystem::path folder = planhost.SettingsFile().parent_path();
    enum class Blocked { FolderByAFile, FileByAFolder, ReadOnlyFile };
    const struct {
        Blocked blocked;
        std::vector<std::string> args;
        std::string told;
    } cases[] = {
        {Blocked::FolderByAFile, SettingsDialog("3", "4", "1"),
         "The settings could not be saved in " + folder.string() + "; they are unchanged."},
        {Blocked::FileByAFolder, {"insert"}, "The next start number 0 could not be stored"},
        {Blocked::ReadOnlyFile, {"insert"}, "The next start number 7 could not be stored"},
    };
    for (const bool plainUser : {false, true}) {
        if (plainUser) planhost.RunAsPlainUser();
        for (const auto& c : cases) {
            SCOPED_TRACE(c.told + (plainUser ? " (as a plain user)" : ""));
            RemoveTree(folder);
            planhost.WriteSettings("2", "007");
            if (c.blocked == Blocked::FolderByAFile) {
                RemoveTree(folder);
                planhost.WriteFile(folder, "no folder");
            } else if (c.blocked == Blocked::FileByAFolder) {
                ASSERT_TRUE(std::filesystem::remove(planhost.SettingsFile()) &&
                            std::filesystem::create_directory(planhost.SettingsFile()));
            } else {
                ASSERT_TRUE(MakeReadOnly(planhost.SettingsFile()));
            }
            const std::filesystem::path watched =
                c.blocked == Blocked::FolderByAFile ? folder : planhost.SettingsFile();
            FileState expected = StateOf(watched);
            const bool written = planhost.runsAsRoot() && c.blocked == Blocked::ReadOnlyFile;
            if (written) expected.content.replace(expected.content.find("007"), 3, "7");

            const RunResult run = Run(c.args);
            EXPECT_EQ(StateOf(watched), expected);
            if (written) {
                EXPECT_THAT(run.Alerts(), IsEmpty());
            } else {
                EXPECT_THAT(run.Alerts(), ElementsAre(HasSubstr(c.told)));
            }
        }
    }
}

TEST_F(DialogCommandsTest, ShowDrawsTheDialogBeforeTheButtonIsPressed) {
    const RunResult settings =
        planhost.Run({"settings", "--symbol-size", "0", "--show", "settings.svg"});
    EXPECT_EQ(settings.exitCode, 3);
    // ">0</text>" is the typed text, and OK is greyed.
    for (const char* part : {">Settings Stakewise</text>", ">ZEP</text>", ">0</text>",
                             "fill=\"#9a9a9a\" text-anchor=\"middle\">OK</text>"})
        EXPECT_THAT(planhost.ReadFile("settings.svg"), HasSubstr(part));

    const RunResult info = planhost.Run({"info", "--show", "info.svg"});
    ASSERT_EQ(info.exitCode, 0) << info.err;
    ASSERT_EQ(info.outLines.size(), 7u) << info.out;
    EXPECT_EQ(info.outLines[0], "Stakewise, Version 1.1");
    EXPECT_FALSE(std::filesystem::exists(planhost.SettingsFile()));
    const std::string infoSvg = planhost.ReadFile("info.svg");
    EXPECT_THAT(infoSvg, HasSubstr(">Stakewise, Version 1.1</text>"));
    EXPECT_THAT(infoSvg, HasSubstr("href=\"data:image/png;base64,iVBORw0KGgo"));
    EXPECT_THAT(infoSvg, Not(HasSubstr(">Cancel</text>")));
}

}  // namespace
}  // namespace planhost_test
