// Commands of the add-on frame: menu (pick a menu item as the user would), addons (what is loaded).
#include <algorithm>
#include <cstdio>
#include <memory>

#include "addon.hpp"
#include "cli/commands.hpp"
#include "menus.hpp"
#include "session.hpp"
#include "trace.hpp"

namespace planhost {

namespace {

struct MenuArgs {
    int menuResID = 0;
    UserScript script;
};

CommandEntry MenuCommand() {
    auto args = std::make_shared<MenuArgs>();
    return {
        "menu",
        "Pick the add-on's menu item with resource id ID (32500 Insert points, 32501 Import "
        "points, 32502 Export points, 32503 Update points, 32504 Settings..., 32505 Info...). An "
        "id the add-on did not register is still handed to its menu handler.",
        [args](CLI::App& sub) {
            sub.add_option("ID", args->menuResID, "The menu resource id")
                ->required()
                ->check(CLI::Range(-32768, 32767));
            AddUserScriptOptions(sub, args->script);
        },
        [args](Session& session) {
            ApplyUserScript(args->script, session.interaction());
            const GSErrCode result = session.PickMenu(Int16(args->menuResID));
            if (result != NoError)
                std::fprintf(stderr, "planhost: the menu handler returned %s\n",
                             FormatErrCode(result).c_str());
            return ExitStatus::kCommandRan;
        },
    };
}

// The items under each submenu title, in the order the add-on registered them.
void PrintMenus(const std::vector<MenuItem>& items) {
    std::vector<std::string> titles;
    for (const MenuItem& item : items)
        if (std::find(titles.begin(), titles.end(), item.title) == titles.end())
            titles.push_back(item.title);
    for (const std::string& title : titles) {
        std::printf("menu: %s\n", title.c_str());
        for (const MenuItem& item : items) {
            if (item.title != title) continue;
            std::printf("  %d %s", item.menuResID, Menus::DisplayText(item.itemText).c_str());
            if (item.menuFlags != 0) std::printf(" [flags %d]", item.menuFlags);
            std::printf("%s\n", item.handler == nullptr ? " [no handler]" : "");
        }
    }
}

CommandEntry AddOnsCommand() {
    return {
        "addons",
        "List the loaded add-on: its name and description as it told them, its module file and "
        "its menu items.",
        nullptr,
        [](Session& session) {
            const LoadedAddOn& addOn = session.addOn();
            std::printf("add-on: %s\n", addOn.name.c_str());
            std::printf("description: %s\n", addOn.description.c_str());
            std::printf("module: %s\n", addOn.path.c_str());
            PrintMenus(session.menus().items());
            return ExitStatus::kCommandRan;
        },
    };
}

}  // namespace

void AddFrameCommands(std::vector<CommandEntry>& commands) {
    commands.push_back(MenuCommand());
    commands.push_back(AddOnsCommand());
}

}  // namespace planhost
