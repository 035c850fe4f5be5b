// The Settings dialog driven through its real dialog events: which input enables OK, what OK
// saves and what Cancel leaves alone.
#include "settings/settings_dialog.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <tuple>

#include "dialog_test_home.hpp"

namespace {

constexpr short kOk = 1;
constexpr short kCancel = 2;
constexpr short kSymbolSize = 5;
constexpr short kStartNumber = 7;
constexpr short kLibrary = 9;

bool OkEnabled(const DG::ModalDialogSession& session) {
    return session.item(kOk)->enabled;
}

class SettingsDialogTest : public DialogTest {
protected:
    // Runs the dialog with script as the user; true when it was closed by OK.
    bool Run(const ScriptedDialogDriver::Script& script) {
        ScriptedDialogDriver driver(script);
        SettingsDialog dialog;
        const bool confirmed = dialog.Run();
        EXPECT_EQ(driver.dialogsDriven(), 1);
        return confirmed;
    }

    static std::string FileWith(const std::string& symbolSize, const std::string& startNumber,
                                const std::string& library) {
        return "Username=\r\nMinimized=0\r\nProjectUnits=\r\nSymbolSize=" + symbolSize +
               "\r\nStartNumber=" + startNumber + "\r\nLibrary=" + library + "\r\n";
    }
};

TEST_F(SettingsDialogTest, OkIsEnabledOnlyForTwoNonZeroNumbers) {
    const struct {
        const char* symbolSize;
        const char* startNumber;
        bool okEnabled;
    } cases[] = {
        {"1", "1", true},        {"12", "-3", true}, {"7.5", "1", true},  {"5 m", "2", true},
        {"  4  ", "\t9 ", true}, {"", "1", false},   {"1", "", false},    {"   ", "1", false},
        {"0", "1", false},       {"1", "00", false}, {"0.5", "1", false}, {"abc", "1", false},
        {"1", "-0", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE('"' + std::string(c.symbolSize) + "\" \"" + c.startNumber + '"');
        Run([&](DG::ModalDialogSession& session) {
            session.ChangeText(kSymbolSize, c.symbolSize);
            session.ChangeText(kStartNumber, c.startNumber);
            EXPECT_EQ(OkEnabled(session), c.okEnabled);
            session.Click(kCancel);
        });
    }
}

TEST_F(SettingsDialogTest, ChangingThePopUpAloneReevaluatesOk) {
    WriteSettingsFile(FileWith("0", "5", "1"));
    Run([&](DG::ModalDialogSession& session) {
        session.SelectPopUpEntry(kLibrary, 2);
        EXPECT_FALSE(OkEnabled(session));
        session.ChangeText(kSymbolSize, "2");
        session.SelectPopUpEntry(kLibrary, 1);
        EXPECT_TRUE(OkEnabled(session));
        session.Click(kCancel);
    });
}

// Opening does not judge the values: OK starts enabled whatever the file holds.
TEST_F(SettingsDialogTest, OpensWithTheValuesOfTheFile) {
    const struct {
        std::optional<std::string> file;
        const char* symbolSize;
        const char* startNumber;
        short library;
    } cases[] = {
        {FileWith("5", "100", "2"), "5", "100", 2},
        {FileWith("0", "x", "1"), "0", "x", 1},
        {FileWith("3", "7", "abc"), "3", "7", 1},  // not a library number: the first entry
        {FileWith("3", "7", "9"), "3", "7", 1},
        {"", "", "", 1},
        {std::nullopt, "", "", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.value_or("<no file>"));
        if (c.file) {
            WriteSettingsFile(*c.file);
        } else {
            std::filesystem::remove(SettingsPath());
        }
        EXPECT_FALSE(Run([&](DG::ModalDialogSession& session) {
            EXPECT_EQ(session.GetItemText(kSymbolSize), c.symbolSize);
            EXPECT_EQ(session.GetItemText(kStartNumber), c.startNumber);
            EXPECT_EQ(session.GetPopUpSelected(kLibrary), c.library);
            EXPECT_TRUE(OkEnabled(session));
            session.Click(kCancel);
        }));
        EXPECT_EQ(SettingsFileExists(), c.file.has_value());  // opening writes nothing
    }
}

// OK as it opens on a fresh home saves the six lines, empty but for the first library.
TEST_F(SettingsDialogTest, ShowsTheLayoutAndOkOnAFreshHomeWritesTheSixLines) {
    EXPECT_TRUE(Run([](DG::ModalDialogSession& session) {
        EXPECT_EQ(session.title(), "Settings Stakewise");
        EXPECT_EQ(std::tuple(session.frame().width, session.frame().height, session.minWidth(),
                             session.minHeight(), session.growType()),
                  std::tuple(340, 170, 340, 170, DG_NoGrow));
        EXPECT_EQ(session.helpAnchor(), "DialogHelpAnchor32530");
        ASSERT_EQ(session.itemCount(), 9);
        EXPECT_EQ(session.item(9)->layout.helpAnchor, "ItemHelpAnchor09");
        EXPECT_EQ(session.item(8)->text, "ArchiCAD Library:");
        EXPECT_EQ(session.item(9)->layout.entries.size(), 2u);
        session.Click(kOk);
    }));
    EXPECT_EQ(SettingsFile(), FileWith("", "", "1"));
}

// The carried values keep their code-page bytes; lines of no setting are dropped.
TEST_F(SettingsDialogTest, OkCarriesTheOtherSettingsAsTheFileHoldsThemThen) {
    WriteSettingsFile(
        "Username=surveyor\r\nMinimized=0\r\nProjectUnits=m\r\nSymbolSize=2\r\n"
        "StartNumber=10\r\nLibrary=1\r\n");
    EXPECT_TRUE(Run([&](DG::ModalDialogSession& session) {
        // Another process saves while the dialog is open.
        WriteSettingsFile(
            "; edited\r\nUsername=Jos\xE9 M\xFCller\nMinimized=1\r\n\r\nProjectUnits=m\xB2\n"
            "SymbolSize=9\nOther=1\n");
        session.ChangeText(kStartNumber, "-3");
        session.Click(kOk);
    }));
    EXPECT_EQ(SettingsFile(),
              "Username=Jos\xE9 M\xFCller\r\nMinimized=1\r\nProjectUnits=m\xB2\r\nSymbolSize=2\r\n"
              "StartNumber=-3\r\nLibrary=1\r\n");
}

}  // namespace
