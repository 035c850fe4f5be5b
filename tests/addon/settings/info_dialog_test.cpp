// The Info box: what it shows, that it reads and writes nothing, and the items that close it.
#include "settings/info_dialog.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_test_home.hpp"
#include "frame/commands.hpp"
#include "frame/resource_module.hpp"
#include "scripted_dialog_driver.hpp"

namespace {

struct InfoView {
    std::string title;
    std::vector<std::string> texts;  // items 6 to 13
    std::vector<GSResID> icons;      // items 3 and 4
    std::vector<std::string> help;   // the dialog's anchor, then items 1, 12 and 13
    short closedBy = 0;
};

InfoView ShowInfo(short closingItem) {
    InfoView view;
    ScriptedDialogDriver driver([&](DG::ModalDialogSession& session) {
        view.title = session.title().ToCStr();
        for (short item = 6; item <= 13; ++item) {
            view.texts.push_back(session.GetItemText(item).ToCStr());
        }
        view.icons = {session.item(3)->layout.iconId, session.item(4)->layout.iconId};
        view.help = {session.helpAnchor().ToCStr()};
        for (short item : {1, 12, 13})
            view.help.push_back(session.item(item)->layout.helpAnchor.ToCStr());
        EXPECT_TRUE(session.Click(closingItem));
        view.closedBy = session.closedBy();
    });
    RunInfoDialog();
    EXPECT_EQ(driver.dialogsDriven(), 1);
    return view;
}

// Width and height from a PNG's header; 0, 0 when it is no PNG.
std::pair<UInt32, UInt32> PngSize(std::string_view png) {
    if (png.size() < 24 || png.substr(1, 3) != "PNG" || png.substr(12, 4) != "IHDR") return {0, 0};
    auto word = [&](std::size_t at) {
        UInt32 value = 0;
        for (std::size_t i = 0; i < 4; ++i) value = (value << 8) | UInt8(png[at + i]);
        return value;
    };
    return {word(16), word(20)};
}

class InfoDialogTest : public DialogTest {};

TEST_F(InfoDialogTest, ShowsNameVersionMakerLinesAndHelp) {
    const InfoView view = ShowInfo(DG_OK);
    EXPECT_EQ(view.title, "Info");
    ASSERT_EQ(view.texts.size(), 8u);
    EXPECT_EQ(view.texts[0], "Stakewise, Version 1.1");
    EXPECT_EQ(view.texts[1], "");
    for (std::size_t i = 2; i < view.texts.size(); ++i) EXPECT_FALSE(view.texts[i].empty()) << i;
    EXPECT_EQ(view.icons, (std::vector<GSResID>{32200, 32201}));
    EXPECT_EQ(view.help, (std::vector<std::string>{"DialogHelpAnchor32555", "ItemHelpAnchor01",
                                                   "ItemHelpAnchor12", ""}));
    EXPECT_FALSE(SettingsFileExists());
}

TEST_F(InfoDialogTest, OkAndTheHiddenCancelBothClose) {
    EXPECT_EQ(ShowInfo(DG_OK).closedBy, DG_OK);
    EXPECT_EQ(ShowInfo(DG_CANCEL).closedBy, DG_CANCEL);
}

TEST_F(InfoDialogTest, OtherClicksAndMessagesKeepItOpen) {
    InfoDialog dialog;
    const auto self = reinterpret_cast<DGUserData>(&dialog);
    EXPECT_EQ(InfoDialog::OnInfoDialogEvent(DG_MSG_INIT, 0, 0, self, 0), 0);
    EXPECT_EQ(InfoDialog::OnInfoDialogEvent(DG_MSG_CLICK, 0, 3, self, 0), 0);
    EXPECT_EQ(InfoDialog::OnInfoDialogEvent(DG_MSG_CHANGE, 0, 1, self, 0), 0);
    EXPECT_EQ(InfoDialog::OnInfoDialogEvent(DG_MSG_CLICK, 0, 2, self, 0), 2);
}

TEST_F(InfoDialogTest, LogosArePngIconGroupsOfTheirSize) {
    const struct {
        GSResID id;
        const char* name;
        std::pair<UInt32, UInt32> size;
    } logos[] = {{32200, "I32200&96", {190, 99}}, {32201, "I32201&96", {137, 20}}};
    for (const auto& logo : logos) {
        EXPECT_EQ(RSGetResourceName(RS_Icon, logo.id, frame::OwnResModule()), logo.name);
        EXPECT_EQ(PngSize(RSLoadResource(RS_Icon, logo.id, frame::OwnResModule())), logo.size);
    }
}

}  // namespace
