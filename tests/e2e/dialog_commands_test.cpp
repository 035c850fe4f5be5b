// The Settings and Info dialogs end to end: planhost picks the menu items and acts as the user.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <string>

#include "planhost_runner.hpp"

namespace planhost_test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

class DialogCommandsTest : public ::testing::Test {
protected:
    std::filesystem::path SettingsPath() const {
        return planhost.configHome() / "Orvane" / "Stakewise" / "Stakewise.ini";
    }
    void WriteSettings(const std::string& content) const {
        std::filesystem::create_directories(SettingsPath().parent_path());
        planhost.WriteFile(SettingsPath(), content);
    }

    PlanhostRunner planhost;
};

TEST_F(DialogCommandsTest, SettingsOnAFreshHomeWritesTheSixLines) {
    const RunResult run =
        planhost.Run({"settings", "--symbol-size", "1", "--start-number", "1", "--library", "2"});
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_EQ(planhost.ReadFile(SettingsPath()),
              "Username=\r\nMinimized=0\r\nProjectUnits=\r\nSymbolSize=1\r\nStartNumber=1\r\n"
              "Library=2\r\n");
    EXPECT_FALSE(run.LeakedHandles());
}

// A dialog that could not be used as asked is cancelled, and the exit status says why.
TEST_F(DialogCommandsTest, DisabledOkAndAMissingLibraryEntryAreReportedAndCancelled) {
    const std::string before = "SymbolSize=4\r\nStartNumber=20\r\n";
    WriteSettings(before);
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string out;
        std::string err;
    } cases[] = {
        {{"settings", "--symbol-size", "0.5", "--library", "2"},
         3,
         "settings: OK is disabled\n",
         ""},
        {{"settings", "--symbol-size", "2", "--library", "3"},
         2,
         "",
         "planhost: settings --library 3: the library list has no entry 3\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.exitCode);
        const RunResult run = planhost.Run(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(planhost.ReadFile(SettingsPath()), before);
    }
}

TEST_F(DialogCommandsTest, CancelAndTheBareMenuItemLeaveTheFileAlone) {
    const std::string before = "Username=site\nSymbolSize=2\n";
    WriteSettings(before);
    const std::vector<std::string> runs[] = {
        {"settings", "--symbol-size", "9", "--cancel"}, {"menu", "32504"}, {"menu", "32505"}};
    for (const auto& args : runs) {
        const RunResult run = planhost.Run(args);
        EXPECT_EQ(run.exitCode, 0) << args[0] << ' ' << args[1] << run.err;
        EXPECT_EQ(planhost.ReadFile(SettingsPath()), before) << args[0] << ' ' << args[1];
    }
}

// OK closes the dialog also when the file cannot be written, so the user is told; the file (or
// what stands in its folder's place) stays as it was. Root may write a read-only file.
TEST_F(DialogCommandsTest, FailedSaveIsToldAndChangesNothing) {
    const std::filesystem::path folder = SettingsPath().parent_path();
    const struct {
        const char* what;
        std::filesystem::path watched;
        std::function<bool()> make;
        bool rootWrites;
    } cases[] = {
        {"the folder is a plain file", folder,
         [&] {
             planhost.WriteFile(folder, "no folder");
             return true;
         },
         false},
        {"a read-only file", SettingsPath(),
         [&] {
             WriteSettings("SymbolSize=2\r\nStartNumber=9\r\n");
             return chmod(SettingsPath().c_str(), 0444) == 0;
         },
         true},
    };
    for (const bool plainUser : {false, true}) {
        if (plainUser) planhost.RunAsPlainUser();
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (plainUser ? " as a plain user" : ""));
            std::filesystem::remove_all(folder);
            ASSERT_TRUE(c.make());
            FileState expected = StateOf(c.watched);
            const bool written = planhost.runsAsRoot() && c.rootWrites;
            if (written)
                expected.content =
                    "Username=\r\nMinimized=0\r\nProjectUnits=\r\nSymbolSize=3\r\n"
                    "StartNumber=4\r\nLibrary=1\r\n";

            const RunResult run = planhost.Run(
                {"settings", "--symbol-size", "3", "--start-number", "4", "--library", "1"});
            EXPECT_EQ(run.exitCode, 0) << run.err;
            EXPECT_EQ(StateOf(c.watched), expected);
            if (written) {
                EXPECT_THAT(run.Alerts(), IsEmpty());
            } else {
                EXPECT_THAT(run.Alerts(), ElementsAre("The settings could not be saved in " +
                                                      folder.string() + "; they are unchanged."));
            }
        }
    }
}

TEST_F(DialogCommandsTest, InfoPrintsWhatTheBoxShows) {
    const RunResult run = planhost.Run({"info"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    ASSERT_EQ(run.outLines.size(), 7u) << run.out;
    EXPECT_EQ(run.outLines[0], "Stakewise, Version 1.1");
    EXPECT_FALSE(std::filesystem::exists(SettingsPath()));
}

TEST_F(DialogCommandsTest, ShowDrawsTheDialogBeforeTheButtonIsPressed) {
    const RunResult settings =
        planhost.Run({"settings", "--symbol-size", "0", "--show", "settings.svg"});
    EXPECT_EQ(settings.exitCode, 3);
    const std::string settingsSvg = planhost.ReadFile("settings.svg");
    EXPECT_THAT(settingsSvg, HasSubstr(">Settings Stakewise</text>"));
    EXPECT_THAT(settingsSvg, HasSubstr(">ZEP</text>"));
    EXPECT_THAT(settingsSvg, HasSubstr(">0</text>"));  // the typed text
    EXPECT_THAT(settingsSvg, HasSubstr("fill=\"#9a9a9a\" text-anchor=\"middle\">OK</text>"));

    const RunResult info = planhost.Run({"info", "--show", "info.svg"});
    EXPECT_EQ(info.exitCode, 0);
    const std::string infoSvg = planhost.ReadFile("info.svg");
    EXPECT_THAT(infoSvg, HasSubstr(">Stakewise, Version 1.1</text>"));
    EXPECT_THAT(infoSvg, HasSubstr("href=\"data:image/png;base64,iVBORw0KGgo"));
    EXPECT_THAT(infoSvg, Not(HasSubstr(">Cancel</text>")));
}

}  // namespace
}  // namespace planhost_test
