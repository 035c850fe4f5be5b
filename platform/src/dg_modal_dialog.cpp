// Modal dialogs: the session of one open dialog, the stack of open dialogs that the item calls
// address by dialog id, and DGModalDialog, which hands a session to the interaction driver.
#include <algorithm>
#include <optional>
#include <utility>

#include "DG/Interaction.hpp"
#include "DG/ModalDialog.hpp"

namespace DG {

ModalDialogSession::ModalDialogSession(short dialId, const DialogLayout& layout,
                                       GSResModule iconModule, DGDialCallBack callback,
                                       DGUserData userData)
    : dialId_(dialId),
      layout_(layout),
      iconModule_(iconModule),
      callback_(callback),
      userData_(userData),
      width_(layout.frame.width),
      height_(layout.frame.height),
      growType_(layout.growType) {
    for (const ItemLayout& itemLayout : layout_.items) {
        DialogItem item{itemLayout, itemLayout.text, 0, true};
        if (itemLayout.kind == ItemKind::PopUp) item.selected = 1;
        items_.push_back(std::move(item));
    }
}

const DialogItem* ModalDialogSession::item(short number) const {
    if (number < 1 || number > itemCount()) return nullptr;
    return &items_[std::size_t(number - 1)];
}

DialogItem* ModalDialogSession::find(short number) {
    return const_cast<DialogItem*>(std::as_const(*this).item(number));
}

void ModalDialogSession::Send(short message, short item) {
    if (!isOpen() || callback_ == nullptr) return;
    const short result = callback_(message, dialId_, item, userData_, 0);
    if (result != 0 && isOpen()) closedBy_ = result;
}

namespace {

bool CanUse(const DialogItem* item, ItemKind kind) {
    return item != nullptr && item->enabled && item->layout.kind == kind;
}

GS::UniString CutToLength(const GS::UniString& text, short maxLength) {
    if (text.GetLength() <= GS::USize(maxLength)) return text;
    return GS::UniString(text.Text().substr(0, std::size_t(maxLength)));
}

}  // namespace

bool ModalDialogSession::ChangeText(short number, const GS::UniString& text) {
    DialogItem* target = find(number);
    if (!isOpen() || !CanUse(target, ItemKind::TextEdit)) return false;
    target->text = CutToLength(text, target->layout.maxLength);
    Send(DG_MSG_CHANGE, number);
    return true;
}

bool ModalDialogSession::SelectPopUpEntry(short number, Int32 entry) {
    DialogItem* target = find(number);
    if (!isOpen() || !CanUse(target, ItemKind::PopUp)) return false;
    if (entry < 1 || std::size_t(entry) > target->layout.entries.size()) return false;
    target->selected = entry;
    Send(DG_MSG_CHANGE, number);
    return true;
}

bool ModalDialogSession::Click(short number) {
    if (!isOpen() || !CanUse(find(number), ItemKind::Button)) return false;
    Send(DG_MSG_CLICK, number);
    return true;
}

void ModalDialogSession::Open() {
    Send(DG_MSG_INIT, 0);
}

void ModalDialogSession::CloseWithCancel() {
    Send(DG_MSG_CLICK, DG_CANCEL);
    if (isOpen()) closedBy_ = DG_CANCEL;
}

void ModalDialogSession::SetItemText(short number, const GS::UniString& text) {
    DialogItem* target = find(number);
    if (target == nullptr || target->layout.kind == ItemKind::PopUp) return;
    target->text = target->layout.kind == ItemKind::TextEdit
                       ? CutToLength(text, target->layout.maxLength)
                       : text;
}

GS::UniString ModalDialogSession::GetItemText(short number) const {
    const DialogItem* target = item(number);
    if (target == nullptr) return {};
    if (target->layout.kind == ItemKind::PopUp) {
        return target->layout.entries[std::size_t(target->selected - 1)];
    }
    return target->text;
}

void ModalDialogSession::SetItemValue(short number, Int32 value) {
    DialogItem* target = find(number);
    if (target == nullptr || target->layout.kind != ItemKind::PopUp) return;
    const bool inRange = value >= 1 && std::size_t(value) <= target->layout.entries.size();
    target->selected = inRange ? value : 1;
}

short ModalDialogSession::GetPopUpSelected(short number) const {
    const DialogItem* target = item(number);
    if (target == nullptr || target->layout.kind != ItemKind::PopUp) return 0;
    return short(target->selected);
}

void ModalDialogSession::SetItemEnabled(short number, bool enabled) {
    if (DialogItem* target = find(number)) target->enabled = enabled;
}

void ModalDialogSession::SetMinSize(short width, short height) {
    minWidth_ = std::max<short>(width, 0);
    minHeight_ = std::max<short>(height, 0);
}

void ModalDialogSession::SetSize(short width, short height) {
    if (growType_ == DG_HGrow || growType_ == DG_HVGrow) width_ = std::max(width, minWidth_);
    if (growType_ == DG_VGrow || growType_ == DG_HVGrow) height_ = std::max(height, minHeight_);
}

}  // namespace DG

namespace {

// The dialogs that are open, the innermost last. A modal dialog may open another one.
std::vector<DG::ModalDialogSession*>& OpenDialogs() {
    static std::vector<DG::ModalDialogSession*> dialogs;
    return dialogs;
}

DG::ModalDialogSession* FindDialog(short dialId) {
    auto& dialogs = OpenDialogs();
    const auto found = std::find_if(dialogs.rbegin(), dialogs.rend(), [dialId](auto* dialog) {
        return dialog->dialogId() == dialId;
    });
    return found == dialogs.rend() ? nullptr : *found;
}

class OpenDialogEntry {
public:
    explicit OpenDialogEntry(DG::ModalDialogSession& session) { OpenDialogs().push_back(&session); }
    ~OpenDialogEntry() { OpenDialogs().pop_back(); }
    OpenDialogEntry(const OpenDialogEntry&) = delete;
    OpenDialogEntry& operator=(const OpenDialogEntry&) = delete;
};

void DriveWithInstalledDriver(DG::ModalDialogSession& session) {
    DG::InteractionDriver* driver = DG::GetInteractionDriver();
    if (driver == nullptr || !session.isOpen()) return;
    try {
        driver->DriveModalDialog(session);
    } catch (...) {
        // A driver that fails leaves the dialog to be cancelled like an unanswered one.
    }
}

// The size of a layout's client area, with the window frame for DG_FRAME.
std::optional<DG::Rect> LayoutSize(GSResModule module, short resId, short sizeKind) noexcept {
    if (sizeKind != DG_FRAME && sizeKind != DG_CLIENT) return std::nullopt;
    try {
        const auto layout = DG::LoadDialogLayout(module, resId);
        if (!layout) return std::nullopt;
        DG::Rect size = layout->frame;
        if (sizeKind == DG_FRAME) {
            size.width = short(size.width + 2 * DG_FrameBorder);
            size.height = short(size.height + DG_FrameTitleHeight + DG_FrameBorder);
        }
        return size;
    } catch (...) {
        return std::nullopt;
    }
}

}  // namespace

short DGModalDialog(GSResModule dialResModule, short resId, GSResModule dialIconResModule,
                    DGDialCallBack callback, DGUserData userData) noexcept {
    try {
        const auto layout = DG::LoadDialogLayout(dialResModule, resId);
        if (!layout) return 0;
        DG::ModalDialogSession session(resId, *layout, dialIconResModule, callback, userData);
        OpenDialogEntry entry(session);
        session.Open();
        DriveWithInstalledDriver(session);
        session.CloseWithCancel();
        return session.closedBy();
    } catch (...) {
        return 0;
    }
}

bool DGGetDialogClientSize(GSResModule dialResModule, short resId, short sizeKind, short* width,
                           short* height) noexcept {
    const std::optional<DG::Rect> size = LayoutSize(dialResModule, resId, sizeKind);
    if (width != nullptr) *width = size ? size->width : 0;
    if (height != nullptr) *height = size ? size->height : 0;
    return size.has_value();
}

short DGGetDialogGrowType(short dialId) noexcept {
    const auto* dialog = FindDialog(dialId);
    return dialog != nullptr ? dialog->growType() : DG_NoGrow;
}

void DGSetDialogGrowType(short dialId, short growType) noexcept {
    if (auto* dialog = FindDialog(dialId)) dialog->SetGrowType(growType);
}

void DGSetDialogClientMinSize(short dialId, short width, short height) noexcept {
    if (auto* dialog = FindDialog(dialId)) dialog->SetMinSize(width, height);
}

void DGSetDialogClientSize(short dialId, short width, short height, short /*fixPoint*/,
                           bool /*redraw*/) noexcept {
    if (auto* dialog = FindDialog(dialId)) dialog->SetSize(width, height);
}

void DGSetItemText(short dialId, short item, const GS::UniString& text) noexcept {
    try {
        if (auto* dialog = FindDialog(dialId)) dialog->SetItemText(item, text);
    } catch (...) {
        // Out of memory: the item keeps its text.
    }
}

GS::UniString DGGetItemText(short dialId, short item) noexcept {
    try {
        const auto* dialog = FindDialog(dialId);
        return dialog != nullptr ? dialog->GetItemText(item) : GS::UniString();
    } catch (...) {
        return {};
    }
}

void DGSetItemValLong(short dialId, short item, Int32 value) noexcept {
    if (auto* dialog = FindDialog(dialId)) dialog->SetItemValue(item, value);
}

short DGPopUpGetSelected(short dialId, short item) noexcept {
    const auto* dialog = FindDialog(dialId);
    return dialog != nullptr ? dialog->GetPopUpSelected(item) : 0;
}

void DGEnableItem(short dialId, short item) noexcept {
    if (auto* dialog = FindDialog(dialId)) dialog->SetItemEnabled(item, true);
}

void DGDisableItem(short dialId, short item) noexcept {
    if (auto* dialog = FindDialog(dialId)) dialog->SetItemEnabled(item, false);
}
