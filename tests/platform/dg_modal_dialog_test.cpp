// The modal-dialog session: what the user's actions send to the callback, the callback's return
// rules, and what the item calls change.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "DG/ModalDialog.hpp"

namespace {

constexpr short kDialId = 500;

const char* const kLayout =
    "Modal\tNoGrow\t30\t30\t200\t100\t\"Test\n"
    "Button\t1\t1\t10\t10\t\"OK\n"
    "Button\t1\t1\t10\t10\t\"Cancel\n"
    "TextEdit\t1\t1\t10\t10\t5\n"
    "PopUp\t1\t1\t10\t10\t\"One\t\"Two\n"
    "LeftText\t1\t1\t10\t10\t\"Label\n"
    "Button\t1\t1\t10\t10\t\"Apply\n";

// Records every message; closes with the clicked item when it is 1 or 2, or when told to.
struct Recorder {
    std::vector<std::pair<short, short>> messages;
    bool keepOpenOnCancel = false;

    static short Callback(short message, short dialId, short item, DGUserData userData,
                          DGMessageData) {
        auto* self = reinterpret_cast<Recorder*>(userData);
        EXPECT_EQ(dialId, kDialId);
        self->messages.emplace_back(message, item);
        if (message != DG_MSG_CLICK) return 0;
        if (item == DG_CANCEL && self->keepOpenOnCancel) return 0;
        return item == DG_OK || item == DG_CANCEL ? item : 0;
    }
};

class ModalDialogSessionTest : public ::testing::Test {
protected:
    ModalDialogSessionTest()
        : session_(kDialId, *DG::ParseDialogLayout(kLayout), 0, Recorder::Callback,
                   reinterpret_cast<DGUserData>(&recorder_)) {
        session_.Open();
    }

    Recorder recorder_;
    DG::ModalDialogSession session_;
};

using Messages = std::vector<std::pair<short, short>>;

TEST_F(ModalDialogSessionTest, RefusesActionsTheUserCannotTake) {
    session_.SetItemEnabled(6, false);
    EXPECT_FALSE(session_.Click(6));                           // disabled
    EXPECT_FALSE(session_.Click(5));                           // static text
    EXPECT_FALSE(session_.Click(7));                           // no such item
    EXPECT_FALSE(session_.ChangeText(4, GS::UniString("x")));  // a popup
    EXPECT_FALSE(session_.SelectPopUpEntry(4, 3));             // beyond the entries
    EXPECT_FALSE(session_.SelectPopUpEntry(4, 0));
    EXPECT_TRUE(session_.Click(2));
    EXPECT_FALSE(session_.Click(1));  // closed
    EXPECT_FALSE(session_.ChangeText(3, GS::UniString("x")));
    EXPECT_EQ(session_.closedBy(), 2);
    EXPECT_EQ(recorder_.messages, (Messages{{DG_MSG_INIT, 0}, {4, 2}}));
}

TEST_F(ModalDialogSessionTest, CancelClosesEvenWhenTheCallbackKeepsTheDialogOpen) {
    recorder_.keepOpenOnCancel = true;
    session_.CloseWithCancel();
    EXPECT_EQ(session_.closedBy(), DG_CANCEL);
    EXPECT_EQ(recorder_.messages, (Messages{{DG_MSG_INIT, 0}, {4, 2}}));
    session_.CloseWithCancel();  // already closed: nothing more is sent
    EXPECT_EQ(recorder_.messages.size(), 2u);
}

TEST_F(ModalDialogSessionTest, EditTextIsCutToItsLength) {
    session_.ChangeText(3, GS::UniString("1234567"));
    EXPECT_EQ(session_.GetItemText(3), GS::UniString("12345"));
    session_.SetItemText(3, GS::UniString("abcdefgh"));
    EXPECT_EQ(session_.item(3)->text, GS::UniString("abcde"));
    session_.SetItemText(5, GS::UniString("A longer label"));
    EXPECT_EQ(session_.GetItemText(5), GS::UniString("A longer label"));
}

TEST_F(ModalDialogSessionTest, SizeChangesFollowTheGrowType) {
    session_.SetSize(300, 300);
    EXPECT_EQ(session_.frame().width, 200);  // the layout does not grow
    session_.SetGrowType(DG_HVGrow);
    session_.SetMinSize(250, 120);
    session_.SetSize(100, 500);
    EXPECT_EQ(session_.frame().width, 250);
    EXPECT_EQ(session_.frame().height, 500);
    session_.SetGrowType(DG_VGrow);
    session_.SetSize(400, 150);
    EXPECT_EQ(session_.frame().width, 250);
    EXPECT_EQ(session_.frame().height, 150);
}

TEST(DialogCallsTest, UnknownDialogsAreLeftAlone) {
    DGSetItemText(kDialId, 1, GS::UniString("x"));
    DGEnableItem(kDialId, 1);
    EXPECT_TRUE(DGGetItemText(kDialId, 1).IsEmpty());
    EXPECT_EQ(DGPopUpGetSelected(kDialId, 4), 0);
    EXPECT_EQ(DGGetDialogGrowType(kDialId), DG_NoGrow);
    short width = -1;
    short height = -1;
    EXPECT_FALSE(DGGetDialogClientSize(0, 32530, DG_CLIENT, &width, &height));
    EXPECT_EQ(width, 0);
    EXPECT_EQ(height, 0);
    EXPECT_EQ(DGModalDialog(0, 32530, 0, Recorder::Callback, 0), 0);
}

}  // namespace
