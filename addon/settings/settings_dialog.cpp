#include "settings/settings_dialog.hpp"

#include "frame/commands.hpp"
#include "frame/reports.hpp"
#include "frame/resource_module.hpp"
#include "settings/number_text.hpp"
#include "settings/settings_store.hpp"
#include "settings/text_conversions.hpp"

namespace {

constexpr short kSettingsLayoutId = 32530;

// Items of the layout.
constexpr short kOkItem = 1;
constexpr short kCancelItem = 2;
constexpr short kSymbolSizeItem = 5;
constexpr short kStartNumberItem = 7;
constexpr short kLibraryItem = 9;

GS::UniString TrimmedItemText(short dialId, short item) {
    GS::UniString text = DGGetItemText(dialId, item);
    text.Trim();
    return text;
}

// Opens the dialog at its layout's size, whatever size the host remembered; that size is also
// its minimum.
void FitToLayoutSize(short dialId) {
    short width = 0;
    short height = 0;
    DGGetDialogClientSize(frame::OwnResModule(), kSettingsLayoutId, DG_CLIENT, &width, &height);
    const short growType = DGGetDialogGrowType(dialId);
    DGSetDialogGrowType(dialId, DG_HVGrow);
    DGSetDialogClientMinSize(dialId, width, height);
    DGSetDialogClientSize(dialId, width, height, 1, true);
    DGSetDialogGrowType(dialId, growType);
}

// The dialog closes after OK whether or not the file was written: a failed save must not pass
// for a successful one.
void TellSettingsNotSaved() {
    GS::UniString folder("the settings folder");
    if (const std::optional<IO::Location> location = SettingsFolder()) location->ToPath(&folder);
    ShowAlertText(GS::UniString("The settings could not be saved in ") + folder +
                  GS::UniString("; they are unchanged."));
}

}  // namespace

bool IsNonZeroNumber(const GS::UniString& text) {
    return AtoI(ToNarrowText(text)) != 0;
}

bool SettingsDialog::Run() {
    Bind(kSettingsLayoutId, OnSettingsDialogEvent, reinterpret_cast<DGUserData>(this));
    ModalDialog::Run();
    return !cancelled_;
}

short SettingsDialog::OnSettingsDialogEvent(short message, short /*dialId*/, short item,
                                            DGUserData userData, DGMessageData /*msgData*/) {
    auto* dialog = reinterpret_cast<SettingsDialog*>(userData);
    switch (message) {
        case DG_MSG_INIT:
            dialog->Open();
            return 0;
        case DG_MSG_CLICK:
            if (item == kOkItem) {
                dialog->Save();
                return kOkItem;
            }
            if (item == kCancelItem) {
                dialog->cancelled_ = true;
                return kCancelItem;
            }
            return 0;
        case DG_MSG_CHANGE:
            dialog->UpdateOkButton();
            return 0;
        default:
            return 0;
    }
}

void SettingsDialog::Open() {
    dialogId_ = kSettingsLayoutId;
    FitToLayoutSize(dialogId_);
    ReadSettings();
    DGSetItemText(dialogId_, kSymbolSizeItem, GetSymbolSize());
    DGSetItemText(dialogId_, kStartNumberItem, GetStartNumber());
    // Text that is neither "1" nor "2" gives the popup a value outside its entries, which shows
    // the first entry.
    DGSetItemValLong(dialogId_, kLibraryItem, AtoI(ToNarrowText(GetLibrary())));
}

void SettingsDialog::UpdateOkButton() const {
    const GS::UniString symbolSize = TrimmedItemText(dialogId_, kSymbolSizeItem);
    const GS::UniString startNumber = TrimmedItemText(dialogId_, kStartNumberItem);
    const bool usable = !symbolSize.IsEmpty() && !startNumber.IsEmpty() &&
                        IsNonZeroNumber(startNumber) && IsNonZeroNumber(symbolSize);
    if (usable) {
        DGEnableItem(dialogId_, kOkItem);
    } else {
        DGDisableItem(dialogId_, kOkItem);
    }
}

// The dialog's values first, then the file as it is now, so that the settings the dialog does
// not show are saved as the file holds them at this moment.
void SettingsDialog::Save() const {
    const GS::UniString symbolSize = TrimmedItemText(dialogId_, kSymbolSizeItem);
    const GS::UniString startNumber = TrimmedItemText(dialogId_, kStartNumberItem);
    const GS::UniString library = IntToText(DGPopUpGetSelected(dialogId_, kLibraryItem));
    ReadSettings();
    SetSymbolSize(symbolSize);
    SetStartNumber(startNumber);
    SetLibrary(library);
    if (!WriteSettings()) TellSettingsNotSaved();
}

void RunSettingsDialog() {
    SettingsDialog dialog;
    dialog.Run();
}
