// The add-on's menu items: registered from its own menu resources (string 1 the submenu title,
// string 2 the item text in the host's menu-string notation), then given a handler.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "RS/Resources.hpp"
#include "api/api_entry_table.hpp"

namespace planhost {

struct MenuItem {
    Int16 menuResID = 0;
    Int16 promptResID = 0;
    Int32 menuPosCode = 0;
    Int32 menuFlags = 0;
    std::string title;     // the submenu, UTF-8
    std::string itemText;  // as registered, with its "^E..." codes
    API_MenuCommandProc handler = nullptr;
};

class Menus {
public:
    // Where the resources of Register come from: the add-on's own module.
    void SetResourceModule(GSResModule module) { module_ = module; }

    // APIERR_BADPARS when the resource is missing or already registered.
    GSErrCode Register(Int16 menuResID, Int16 promptResID, Int32 menuPosCode, Int32 menuFlags);
    // APIERR_BADPARS for a null handler or a resource that was not registered.
    GSErrCode InstallHandler(Int16 menuResID, API_MenuCommandProc handler);

    const std::vector<MenuItem>& items() const { return items_; }
    // The handler installed for that item; for an item the add-on did not register, the first
    // handler it installed (a pick always reaches the add-on). Null when it installed none.
    API_MenuCommandProc HandlerFor(Int16 menuResID) const;

    // The item text as a menu shows it: without the "^..." codes.
    static std::string DisplayText(std::string_view itemText);

private:
    GSResModule module_ = 0;
    std::vector<MenuItem> items_;
    API_MenuCommandProc firstHandler_ = nullptr;
};

}  // namespace planhost
