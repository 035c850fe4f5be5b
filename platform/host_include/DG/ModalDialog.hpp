// DG::ModalDialogSession: one modal dialog while it is open. The dialog calls (DialogCalls.hpp)
// change it on behalf of the add-on; the interaction driver acts as the user through ChangeText,
// SelectPopUpEntry and Click, which send the dialog's callback the messages a real user would
// cause, and reads every item to show the dialog. A session lives inside DGModalDialog only.
#pragma once

// Host only: the add-on's build has no STAKEWISE_HOST_SIDE and stops here.
#ifndef STAKEWISE_HOST_SIDE
#error "this header is for the host only; an add-on reaches the host through the API contract"
#endif

#include <vector>

#include "DG/DialogCalls.hpp"
#include "DG/DialogLayout.hpp"

namespace DG {

struct DialogItem {
    ItemLayout layout;
    GS::UniString text;  // current caption or edit content
    Int32 selected = 0;  // PopUp: the entry shown, 1-based
    bool enabled = true;
};

class ModalDialogSession {
public:
    ModalDialogSession(short dialId, const DialogLayout& layout, GSResModule iconModule,
                       DGDialCallBack callback, DGUserData userData);
    ModalDialogSession(const ModalDialogSession&) = delete;
    ModalDialogSession& operator=(const ModalDialogSession&) = delete;

    // ---- What the user sees --------------------------------------------------------------
    short dialogId() const { return dialId_; }
    const GS::UniString& title() const { return layout_.title; }
    const GS::UniString& helpAnchor() const { return layout_.helpAnchor; }
    Rect frame() const { return {layout_.frame.x, layout_.frame.y, width_, height_}; }
    short growType() const { return growType_; }
    short minWidth() const { return minWidth_; }
    short minHeight() const { return minHeight_; }
    GSResModule iconModule() const { return iconModule_; }
    short itemCount() const { return short(items_.size()); }
    const DialogItem* item(short number) const;  // 1-based; null when there is none
    bool isOpen() const { return closedBy_ == 0; }
    short closedBy() const { return closedBy_; }  // 0 while open

    // ---- What the user does ---------------------------------------------------------------
    // Each call is one action, reported to the callback even when the content ends as it was.
    // False, with nothing sent, when the dialog is closed or the item is missing, disabled or
    // of another kind. The text of an edit is cut to its maximum length.
    bool ChangeText(short item, const GS::UniString& text);
    bool SelectPopUpEntry(short item, Int32 entry);  // entry 1-based, within the entries
    bool Click(short item);                          // a push button

    // ---- What the dialog calls do ---------------------------------------------------------
    void Open();  // sends DG_MSG_INIT
    // Cancels a dialog that is still open: a click on item 2, closed with item 2 even when the
    // callback keeps it open.
    void CloseWithCancel();
    void SetItemText(short item, const GS::UniString& text);
    GS::UniString GetItemText(short item) const;
    void SetItemValue(short item, Int32 value);
    short GetPopUpSelected(short item) const;
    void SetItemEnabled(short item, bool enabled);
    void SetGrowType(short growType) { growType_ = growType; }
    void SetMinSize(short width, short height);
    void SetSize(short width, short height);

private:
    DialogItem* find(short number);
    void Send(short message, short item);

    short dialId_;
    DialogLayout layout_;
    GSResModule iconModule_;
    DGDialCallBack callback_;
    DGUserData userData_;
    std::vector<DialogItem> items_;
    short width_;
    short height_;
    short minWidth_ = 0;
    short minHeight_ = 0;
    short growType_;
    short closedBy_ = 0;
};

}  // namespace DG
