// Reading dialog layouts and help tables from the resource compiler's token lines.
#include <gtest/gtest.h>

#include "DG/DialogLayout.hpp"

namespace {

const std::string kHeader = "Modal\tNoGrow\t30\t30\t340\t170\t\"Settings\n";

// Every item kind is read by the add-on's own dialogs; these are the header forms they lack.
TEST(DialogLayoutTest, ReadsGrowTypesSignedAndHexNumbersAndSkipsBlankLines) {
    const auto layout = DG::ParseDialogLayout(
        "Modal\tHVGrow\t30\t-4\t0x10\t170\t\"Dialog title\n"
        "\n"
        "TextEdit\t140\t30\t180\t20\t40\n");
    ASSERT_TRUE(layout.has_value());
    EXPECT_EQ(layout->growType, 3);
    EXPECT_EQ(layout->frame.y, -4);
    EXPECT_EQ(layout->frame.width, 16);
    ASSERT_EQ(layout->items.size(), 1u);
    EXPECT_EQ(layout->items[0].maxLength, 40);
}

TEST(DialogLayoutTest, RefusesMalformedLayouts) {
    const std::string cases[] = {
        "",
        "Modeless\tNoGrow\t30\t30\t340\t170\t\"T\n",
        "Modal\tSideways\t30\t30\t340\t170\t\"T\n",
        "Modal\tNoGrow\t30\t30\t0\t170\t\"T\n",
        "Modal\tNoGrow\t30\t30\t340\t170\tT\n",
        kHeader + "Slider\t1\t2\t3\t4\t\"x\n",
        kHeader + "Button\t1\t2\t3\t\"x\n",
        kHeader + "Button\t1\t2\t3\t4x\t\"x\n",
        kHeader + "Button\t1\t2\t3\t40000\t\"x\n",
        kHeader + "Button\t1\t2\t3\t4\tOK\n",
        kHeader + "TextEdit\t1\t2\t3\t4\t0\n",
        kHeader + "PopUp\t1\t2\t3\t4\n",
        kHeader + "Icon\t1\t2\t3\t4\t\"logo\n",
    };
    for (const std::string& tokens : cases)
        EXPECT_FALSE(DG::ParseDialogLayout(tokens).has_value()) << tokens;
}

TEST(DialogLayoutTest, HelpTableFillsAnchorsOfKnownItems) {
    auto layout = DG::ParseDialogLayout(kHeader + "Button\t1\t2\t3\t4\t\"OK\n" +
                                        "Button\t1\t2\t3\t4\t\"Cancel\n");
    ASSERT_TRUE(layout.has_value());
    DG::ApplyDialogHelp(
        "\"DialogHelpAnchor1\n"
        "1\t\"\t\"ItemHelpAnchor01\n"
        "2\t\"Closes\t\"ItemHelpAnchor02\n"
        "3\t\"\t\"ItemHelpAnchor03\n"  // no item 3
        "x\t\"\t\"Broken\n",
        *layout);
    EXPECT_EQ(layout->helpAnchor, GS::UniString("DialogHelpAnchor1"));
    EXPECT_EQ(layout->items[0].helpAnchor, GS::UniString("ItemHelpAnchor01"));
    EXPECT_EQ(layout->items[1].tooltip, GS::UniString("Closes"));
    EXPECT_EQ(layout->items[1].helpAnchor, GS::UniString("ItemHelpAnchor02"));
}

}  // namespace
