// The Settings dialog driven through its real dialog events: which input enables OK, what OK
// saves and what Cancel leaves alone.
#include "settings/settings_dialog.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "dialog_test_home.hpp"
#include "frame/commands.hpp"
#include "scripted_dialog_driver.hpp"

namespace {

constexpr short kOk = 1;
constexpr short kCancel = 2;
constexpr short kSymbolSize = 5;
constexpr short kStartNumber = 7;
constexpr short kLibrary = 9;

GS::UniString U(const char* text) {
    return GS::UniString(text, GS::CC_UTF8);
}

bool OkEnabled(const DG::ModalDialogSession& session) {
    return session.item(kOk)->enabled;
}

// What the dialog showed when it opened.
struct OpeningView {
    std::string symbolSize;
    std::string startNumber;
    short library = 0;
    bool okEnabled = false;
};

class SettingsDialogTest : public DialogTest {
protected:
    // Runs the menu command with script as the user; true when a dialog was shown.
    bool RunCommand(const ScriptedDialogDriver::Script& script) {
        ScriptedDialogDriver driver(script);
        RunSettingsDialog();
        return driver.dialogsDriven() == 1;
    }

    OpeningView Open() {
        OpeningView view;
        RunCommand([&](DG::ModalDialogSession& session) {
            view.symbolSize = session.GetItemText(kSymbolSize).ToCStr();
            view.startNumber = session.GetItemText(kStartNumber).ToCStr();
            view.library = session.GetPopUpSelected(kLibrary);
            view.okEnabled = OkEnabled(session);
            session.Click(kCancel);
        });
        return view;
    }

    static std::string FileWith(const std::string& symbolSize, const std::string& startNumber,
                                const std::string& library) {
        return "Username=\r\nMinimized=0\r\nProjectUnits=\r\nSymbolSize=" + symbolSize +
               "\r\nStartNumber=" + startNumber + "\r\nLibrary=" + library + "\r\n";
    }
};

TEST_F(SettingsDialogTest, OkIsEnabledOnlyForTwoNonZeroNumbers) {
    struct Case {
        const char* symbolSize;
        const char* startNumber;
        bool okEnabled;
    };
    const Case cases[] = {
        {"1", "1", true},        {"12", "-3", true}, {"7.5", "1", true},  {"5 m", "2", true},
        {"  4  ", "\t9 ", true}, {"", "1", false},   {"1", "", false},    {"   ", "1", false},
        {"0", "1", false},       {"1", "00", false}, {"0.5", "1", false}, {"abc", "1", false},
        {"1", "-0", false},
    };
    for (const Case& c : cases) {
        bool enabled = !c.okEnabled;
        RunCommand([&](DG::ModalDialogSession& session) {
            session.ChangeText(kSymbolSize, U(c.symbolSize));
            session.ChangeText(kStartNumber, U(c.startNumber));
            enabled = OkEnabled(session);
            session.Click(kCancel);
        });
        EXPECT_EQ(enabled, c.okEnabled) << '"' << c.symbolSize << "\" \"" << c.startNumber << '"';
    }
}

TEST_F(SettingsDialogTest, TypingAndDeletingAgainDisablesOk) {
    bool enabledAtStart = false;
    bool enabledAfterTyping = false;
    bool enabledAfterDeleting = true;
    RunCommand([&](DG::ModalDialogSession& session) {
        enabledAtStart = OkEnabled(session);
        session.ChangeText(kSymbolSize, U("3"));
        enabledAfterTyping = OkEnabled(session);
        session.ChangeText(kSymbolSize, U(""));
        enabledAfterDeleting = OkEnabled(session);
        EXPECT_FALSE(session.Click(kOk));  // a disabled button cannot be pressed
        session.Click(kCancel);
    });
    EXPECT_TRUE(enabledAtStart);
    EXPECT_FALSE(enabledAfterTyping);  // the start number is still empty
    EXPECT_FALSE(enabledAfterDeleting);
    EXPECT_FALSE(SettingsFileExists());
}

TEST_F(SettingsDialogTest, ChangingThePopUpAloneReevaluatesOk) {
    WriteSettingsFile(FileWith("0", "5", "1"));
    bool enabledAtStart = false;
    bool enabledAfterPopUp = true;
    RunCommand([&](DG::ModalDialogSession& session) {
        enabledAtStart = OkEnabled(session);
        session.SelectPopUpEntry(kLibrary, 2);
        enabledAfterPopUp = OkEnabled(session);
        session.ChangeText(kSymbolSize, U("2"));
        session.SelectPopUpEntry(kLibrary, 1);
        EXPECT_TRUE(OkEnabled(session));
        session.Click(kCancel);
    });
    EXPECT_TRUE(enabledAtStart);  // opening does not judge the values
    EXPECT_FALSE(enabledAfterPopUp);
}

TEST_F(SettingsDialogTest, OpensWithTheValuesOfTheFile) {
    struct Case {
        std::optional<std::string> file;
        std::string symbolSize;
        std::string startNumber;
        short library;
    };
    const Case cases[] = {
        {FileWith("5", "100", "2"), "5", "100", 2},
        {FileWith("0", "x", "1"), "0", "x", 1},
        {FileWith("3", "7", "abc"), "3", "7", 1},  // not a library number: the first entry
        {FileWith("3", "7", "9"), "3", "7", 1},
        {"", "", "", 1},
        {std::nullopt, "", "", 1},
    };
    for (const Case& c : cases) {
        const std::string shown = c.file.value_or("<no file>");
        if (c.file) {
            WriteSettingsFile(*c.file);
        } else {
            std::filesystem::remove(SettingsPath());
        }
        const OpeningView view = Open();
        EXPECT_EQ(view.symbolSize, c.symbolSize) << shown;
        EXPECT_EQ(view.startNumber, c.startNumber) << shown;
        EXPECT_EQ(view.library, c.library) << shown;
        EXPECT_TRUE(view.okEnabled);
        EXPECT_EQ(SettingsFileExists(), c.file.has_value()) << shown;  // opening writes nothing
    }
}

// On a fresh home OK writes the six lines: the numbers trimmed, empty ones as they are.
TEST_F(SettingsDialogTest, OkOnAFreshHomeWritesTheSixLines) {
    RunCommand([](DG::ModalDialogSession& session) {
        session.ChangeText(kSymbolSize, U(" 1 "));
        session.ChangeText(kStartNumber, U("1\t"));
        session.SelectPopUpEntry(kLibrary, 2);
        session.Click(kOk);
    });
    EXPECT_EQ(SettingsFile(), FileWith("1", "1", "2"));
    std::filesystem::remove(SettingsPath());
    RunCommand([](DG::ModalDialogSession& session) { session.Click(kOk); });
    EXPECT_EQ(SettingsFile(), FileWith("", "", "1"));
}

TEST_F(SettingsDialogTest, OkCarriesTheOtherSettingsAsTheFileHoldsThemThen) {
    WriteSettingsFile(
        "Username=surveyor\r\nMinimized=1\r\nProjectUnits=m\r\nSymbolSize=2\r\n"
        "StartNumber=10\r\nLibrary=1\r\n");
    RunCommand([&](DG::ModalDialogSession& session) {
        // Another process saves while the dialog is open.
        WriteSettingsFile("; edited\nUsername=office\nProjectUnits=mm\nSymbolSize=9\nOther=1\n");
        session.ChangeText(kStartNumber, U("-3"));
        session.Click(kOk);
    });
    EXPECT_EQ(SettingsFile(),
              "Username=office\r\nMinimized=0\r\nProjectUnits=mm\r\nSymbolSize=2\r\n"
              "StartNumber=-3\r\nLibrary=1\r\n");
}

TEST_F(SettingsDialogTest, RunTellsOkFromCancel) {
    const std::pair<short, bool> cases[] = {{kOk, true}, {kCancel, false}};
    for (const auto& [button, confirmed] : cases) {
        ScriptedDialogDriver driver(
            [&](DG::ModalDialogSession& session) { session.Click(button); });
        SettingsDialog dialog;
        EXPECT_EQ(dialog.Run(), confirmed);
    }
}

TEST_F(SettingsDialogTest, WithoutAUserTheDialogIsCancelled) {
    SettingsDialog dialog;
    EXPECT_FALSE(dialog.Run());
    EXPECT_FALSE(SettingsFileExists());
}

TEST_F(SettingsDialogTest, ShowsTheLayoutAtItsSize) {
    RunCommand([](DG::ModalDialogSession& session) {
        EXPECT_EQ(session.title(), U("Settings Stakewise"));
        EXPECT_EQ(session.frame().width, 340);
        EXPECT_EQ(session.frame().height, 170);
        EXPECT_EQ(session.minWidth(), 340);
        EXPECT_EQ(session.minHeight(), 170);
        EXPECT_EQ(session.growType(), DG_NoGrow);
        EXPECT_EQ(session.helpAnchor(), U("DialogHelpAnchor32530"));
        ASSERT_EQ(session.itemCount(), 9);
        EXPECT_EQ(session.item(9)->layout.helpAnchor, U("ItemHelpAnchor09"));
        EXPECT_EQ(session.item(8)->text, U("ArchiCAD Library:"));
        EXPECT_EQ(session.item(9)->layout.entries.size(), 2u);
        session.Click(kCancel);
    });
}

}  // namespace
