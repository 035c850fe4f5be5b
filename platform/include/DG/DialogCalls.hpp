// DG dialog calls: modal dialogs built from a layout resource, and the calls that read and set
// the items of an open dialog. An open dialog is addressed by its dialog id, which is the
// layout's resource id; the calls do nothing (or return 0 / empty) for an unknown dialog or item.
// User-interface thread only.
#pragma once

#include <cstdint>

#include "GS/Compiler.hpp"
#include "GS/UniString.hpp"
#include "RS/Resources.hpp"

using DGUserData = std::intptr_t;
using DGMessageData = std::intptr_t;

// The dialog's messages to its callback. The callback returns 0 to keep the dialog open, or the
// number of an item, which closes the dialog; DGModalDialog then returns that item.
using DGDialCallBack = short (*)(short message, short dialId, short item, DGUserData userData,
                                 DGMessageData msgData);

constexpr short DG_MSG_INIT = 1;    // the dialog opens; item 0
constexpr short DG_MSG_CLICK = 4;   // a push button was pressed
constexpr short DG_MSG_CHANGE = 6;  // the user changed an item's content (text, popup choice)

constexpr short DG_OK = 1;  // the item that confirms a dialog
constexpr short DG_CANCEL =
    2;  // the item that cancels it; also the answer of a dialog nobody drives

// Grow types: in which directions the user may resize the dialog.
constexpr short DG_NoGrow = 0;
constexpr short DG_HGrow = 1;
constexpr short DG_VGrow = 2;
constexpr short DG_HVGrow = 3;

// Size kinds of DGGetDialogClientSize.
constexpr short DG_FRAME = 1;   // the whole window: client area, title bar and borders
constexpr short DG_CLIENT = 2;  // the client area alone
constexpr short DG_FrameTitleHeight = 24;
constexpr short DG_FrameBorder = 1;

// Runs the dialog of layout resId of dialResModule (pictures from dialIconResModule) until it
// closes, feeding it the user's events through the installed interaction driver. Without a
// driver, or when the driver stops while the dialog is open, the dialog is cancelled (item 2).
// Returns the item that closed it; 0 when the layout cannot be loaded (nothing is shown).
PLATFORM_API short DGModalDialog(GSResModule dialResModule, short resId,
                                 GSResModule dialIconResModule, DGDialCallBack callback,
                                 DGUserData userData) noexcept;

// The size that layout resId defines; false (sizes 0) when it cannot be loaded or the kind is
// unknown.
PLATFORM_API bool DGGetDialogClientSize(GSResModule dialResModule, short resId, short sizeKind,
                                        short* width, short* height) noexcept;

PLATFORM_API short DGGetDialogGrowType(short dialId) noexcept;
PLATFORM_API void DGSetDialogGrowType(short dialId, short growType) noexcept;
PLATFORM_API void DGSetDialogClientMinSize(short dialId, short width, short height) noexcept;
// Resizes in the directions the grow type allows, never below the minimum size. fixPoint 1 keeps
// the top-left corner in place (the only fix point this host knows); redraw is accepted as is.
PLATFORM_API void DGSetDialogClientSize(short dialId, short width, short height, short fixPoint,
                                        bool redraw) noexcept;

// Text of an item: a button's or static text's caption, an edit field's content (cut to its
// maximum length), a popup's selected entry (read only).
PLATFORM_API void DGSetItemText(short dialId, short item, const GS::UniString& text) noexcept;
PLATFORM_API GS::UniString DGGetItemText(short dialId, short item) noexcept;
// A popup's selection, 1-based; a value outside its entries selects the first entry.
PLATFORM_API void DGSetItemValLong(short dialId, short item, Int32 value) noexcept;
PLATFORM_API short DGPopUpGetSelected(short dialId, short item) noexcept;

PLATFORM_API void DGEnableItem(short dialId, short item) noexcept;
PLATFORM_API void DGDisableItem(short dialId, short item) noexcept;
