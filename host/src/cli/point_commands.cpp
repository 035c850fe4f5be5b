// Commands of the measure points: insert, import, export and update pick the add-on's menu
// items with the scripted user's answers; place, list, undo, render and demo work on the model
// directly (their own files).
#include <cstdio>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "cli/addon_items.hpp"
#include "cli/point_command_entries.hpp"
#include "interaction.hpp"
#include "model/model.hpp"
#include "session.hpp"
#include "trace.hpp"

namespace planhost {

namespace {

struct MenuCommandArgs {
    UserScript script;
    std::optional<std::string> file;  // answers the command's file dialog
    std::string clicksFile;
};

// Queues one click for each "X,Y" line of the file; false (with a message) on a bad line.
bool QueueClicksFile(const std::string& path, Interaction& interaction) {
    std::ifstream file(path);
    if (!file) {
        std::fprintf(stderr, "planhost: cannot read the clicks file %s\n", path.c_str());
        return false;
    }
    std::string line;
    for (long number = 1; std::getline(file, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        const std::optional<API_Coord> click = ParseClick(line);
        if (!click) {
            std::fprintf(stderr, "planhost: %s line %ld is not X,Y in metres\n", path.c_str(),
                         number);
            return false;
        }
        interaction.QueueClick(click->x, click->y);
    }
    return true;
}

std::string PlanSummary(const char* command, std::size_t before, std::size_t after) {
    char text[160];
    std::snprintf(text, sizeof text, "%s: the plan holds %zu objects (%zu new)", command, after,
                  after > before ? after - before : 0);
    return text;
}

// Picks the menu item as the user would, with the user's answers queued first; the summary
// tells how the plan changed.
CommandResult PickMenuItem(Session& session, const MenuCommandArgs& args, Int16 menuResID,
                           const char* command, const char* undoTitle) {
    if (!args.clicksFile.empty() && !QueueClicksFile(args.clicksFile, session.interaction()))
        return ExitStatus::kUsageError;
    ApplyUserScript(args.script, session.interaction());
    if (args.file) session.interaction().QueueFileAnswer(*args.file);
    Model& model = session.model();
    model.SetCommandTitle(undoTitle);
    std::size_t before = model.Elements().size();
    GSErrCode result = session.PickMenu(menuResID);
    if (result != NoError) {
        std::fprintf(stderr, "planhost: the menu handler returned %s\n",
                     FormatErrCode(result).c_str());
    }
    return CommandResult(ExitStatus::kCommandRan,
                         PlanSummary(command, before, model.Elements().size()));
}

CommandEntry MenuItemCommand(const char* name, const char* help, Int16 menuResID,
                             const char* undoTitle, bool takesFile, bool takesClicks,
                             ProjectUse project = ProjectUse::kChange) {
    auto args = std::make_shared<MenuCommandArgs>();
    return {
        name,
        help,
        [args, takesFile, takesClicks](CLI::App& sub) {
            AddUserScriptOptions(sub, args->script);
            if (takesFile) {
                sub.add_option("FILE", args->file,
                               "Answer the file dialog with FILE; without it the dialog is "
                               "cancelled");
            }
            if (takesClicks) {
                sub.add_option("--clicks-file", args->clicksFile,
                               "Queue one click for each X,Y line of the file (before --click)");
            }
        },
        [args, name, menuResID, undoTitle](Session& session) {
            return PickMenuItem(session, *args, menuResID, name, undoTitle);
        },
        true,
        project,
    };
}

}  // namespace

void AddPointCommands(std::vector<CommandEntry>& commands) {
    commands.push_back(MenuItemCommand(
        "insert",
        "Insert points (menu 32500): each --click answers one point input; the prompt after the "
        "last is cancelled.",
        kInsertPointsMenu, "Insert points", false, true));
    commands.push_back(MenuItemCommand(
        "import",
        "Import points (menu 32501) from FILE; --cancel-after N cancels after the N-th point.",
        kImportPointsMenu, "Import points", true, false));
    // Export reads the plan as last saved, also while another run changes it.
    commands.push_back(MenuItemCommand("export", "Export points (menu 32502) to FILE.",
                                       kExportPointsMenu, "Export points", true, false,
                                       ProjectUse::kRead));
    commands.push_back(MenuItemCommand(
        "update", "Update points (menu 32503) from FILE: move measured points, place new ones.",
        kUpdatePointsMenu, "Update points", true, false));
    commands.push_back(PlaceCommand());
    commands.push_back(ListCommand());
    commands.push_back(UndoCommand());
    commands.push_back(RenderCommand());
    commands.push_back(DemoCommand());
}

}  // namespace planhost
