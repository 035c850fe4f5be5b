// Dialog layouts: what a GDLG resource describes (title, size, items by number) together with
// its DLGH help table. The resource compiler stores both as token lines (TAB-separated tokens,
// LF-ended lines, string tokens with a leading '"'); these functions read them.
//
// GDLG ID Modal GROWTYPE X Y WIDTH HEIGHT "TITLE" { one line per item, item 1 first }
//   Button   X Y W H "TEXT"          push button
//   GroupBox X Y W H "TITLE"         group frame
//   LeftText X Y W H "TEXT"          static text
//   TextEdit X Y W H MAXCHARS        text edit, empty
//   PopUp    X Y W H "ENTRY"...      popup, entry 1 selected
//   Icon     X Y W H ICONID          picture of GICN ICONID
// GROWTYPE is NoGrow, HGrow, VGrow or HVGrow.
// DLGH ID "DIALOG ANCHOR" { ITEM "TOOLTIP" "ANCHOR" per line }
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "GS/Compiler.hpp"
#include "RS/Resources.hpp"

namespace DG {

enum class ItemKind { Button, GroupBox, StaticText, TextEdit, PopUp, Picture };

struct Rect {
    short x = 0;
    short y = 0;
    short width = 0;
    short height = 0;
};

struct ItemLayout {
    ItemKind kind = ItemKind::StaticText;
    Rect rect;
    GS::UniString text;                  // caption; empty for edits, popups, pictures
    short maxLength = 0;                 // TextEdit: characters it takes
    std::vector<GS::UniString> entries;  // PopUp: entry 1 first
    GSResID iconId = 0;                  // Picture
    GS::UniString tooltip;               // from the help table
    GS::UniString helpAnchor;
};

struct DialogLayout {
    GS::UniString title;
    Rect frame;  // position of the dialog and size of its client area
    short growType = 0;
    GS::UniString helpAnchor;
    std::vector<ItemLayout> items;  // item 1 first
};

// nullopt when a line is malformed (unknown kind, missing or non-numeric field).
PLATFORM_API std::optional<DialogLayout> ParseDialogLayout(std::string_view tokenLines);
// Fills the anchors and tooltips of a help table into layout; lines for unknown items and
// malformed lines are passed over.
PLATFORM_API void ApplyDialogHelp(std::string_view tokenLines, DialogLayout& layout);

// GDLG id of module with the DLGH table of the same id when there is one.
PLATFORM_API std::optional<DialogLayout> LoadDialogLayout(GSResModule module, GSResID id);

}  // namespace DG
