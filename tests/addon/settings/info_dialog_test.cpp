// The Info box: its layout, its logos and the items that close it. Its version line, and that
// it saves nothing, are checked end to end.
#include "settings/info_dialog.hpp"

#include <gtest/gtest.h>

#include <string_view>
#include <utility>

#include "dialog_test_home.hpp"
#include "frame/commands.hpp"
#include "frame/resource_module.hpp"

namespace {

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

// The logos are PNG icon groups of their own size.
TEST_F(InfoDialogTest, ShowsTitleLinesLogosAndHelp) {
    const struct {
        short item;
        GSResID id;
        const char* name;
        std::pair<UInt32, UInt32> size;
    } logos[] = {{3, 32200, "I32200&96", {190, 99}}, {4, 32201, "I32201&96", {137, 20}}};
    ScriptedDialogDriver driver([&](DG::ModalDialogSession& session) {
        EXPECT_EQ(session.title(), "Info");
        EXPECT_TRUE(session.GetItemText(7).IsEmpty());
        for (short item = 8; item <= 13; ++item)
            EXPECT_FALSE(session.GetItemText(item).IsEmpty()) << item;
        for (const auto& logo : logos) EXPECT_EQ(session.item(logo.item)->layout.iconId, logo.id);
        EXPECT_EQ(session.helpAnchor(), "DialogHelpAnchor32555");
        EXPECT_EQ(session.item(1)->layout.helpAnchor, "ItemHelpAnchor01");
        EXPECT_EQ(session.item(12)->layout.helpAnchor, "ItemHelpAnchor12");
        EXPECT_TRUE(session.item(13)->layout.helpAnchor.IsEmpty());
        EXPECT_TRUE(session.Click(DG_OK));
    });
    RunInfoDialog();
    EXPECT_EQ(driver.dialogsDriven(), 1);
    for (const auto& logo : logos) {
        EXPECT_EQ(RSGetResourceName(RS_Icon, logo.id, frame::OwnResModule()), logo.name);
        EXPECT_EQ(PngSize(RSLoadResource(RS_Icon, logo.id, frame::OwnResModule())), logo.size);
    }
}

// OK and the hidden Cancel close the box; nothing else does.
TEST_F(InfoDialogTest, OnlyOkAndTheHiddenCancelClose) {
    const struct {
        short message;
        short item;
        short result;
    } cases[] = {{DG_MSG_CLICK, DG_OK, DG_OK},
                 {DG_MSG_CLICK, DG_CANCEL, DG_CANCEL},
                 {DG_MSG_CLICK, 3, 0},
                 {DG_MSG_INIT, 0, 0},
                 {DG_MSG_CHANGE, DG_OK, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "message " << c.message << " item " << c.item);
        EXPECT_EQ(InfoDialog::OnInfoDialogEvent(c.message, 0, c.item, 0, 0), c.result);
    }
}

}  // namespace
