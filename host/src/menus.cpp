#include "menus.hpp"

#include <algorithm>

namespace planhost {

namespace {

constexpr Int32 kTitleString = 1;
constexpr Int32 kItemString = 2;

}  // namespace

GSErrCode Menus::Register(Int16 menuResID, Int16 promptResID, Int32 menuPosCode, Int32 menuFlags) {
    const bool known = std::any_of(items_.begin(), items_.end(), [menuResID](const MenuItem& item) {
        return item.menuResID == menuResID;
    });
    GS::UniString title;
    GS::UniString itemText;
    if (known || !RSGetIndString(&title, menuResID, kTitleString, module_) ||
        !RSGetIndString(&itemText, menuResID, kItemString, module_))
        return APIERR_BADPARS;
    items_.push_back({menuResID, promptResID, menuPosCode, menuFlags, title.ToCStr(GS::CC_UTF8),
                      itemText.ToCStr(GS::CC_UTF8), nullptr});
    return NoError;
}

GSErrCode Menus::InstallHandler(Int16 menuResID, API_MenuCommandProc handler) {
    const auto item = std::find_if(items_.begin(), items_.end(), [menuResID](const MenuItem& it) {
        return it.menuResID == menuResID;
    });
    if (handler == nullptr || item == items_.end()) return APIERR_BADPARS;
    item->handler = handler;
    if (firstHandler_ == nullptr) firstHandler_ = handler;
    return NoError;
}

API_MenuCommandProc Menus::HandlerFor(Int16 menuResID) const {
    for (const MenuItem& item : items_)
        if (item.menuResID == menuResID && item.handler != nullptr) return item.handler;
    return firstHandler_;
}

std::string Menus::DisplayText(std::string_view itemText) {
    return std::string(itemText.substr(0, itemText.find('^')));
}

}  // namespace planhost
