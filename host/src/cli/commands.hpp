// The command line of planhost: global options and the command registry.
// planhost [--project FILE] [--wait SECONDS] [--view floor-plan|section|3d|layout]
//          [--trace FILE] [--fail OP[:SEL][@N[+]]=CODE]... [--empty OP[:SEL]]... [--library DIR]...
//          [--addon PATH] [--application-id N] [--skip-free-data] COMMAND [ARGS]
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "api/api_records.hpp"
#include "cli/exit_status.hpp"

namespace planhost {

class Session;
class Interaction;

struct GlobalOptions {
    std::string project = "plan.db";
    double waitSeconds = 5;  // for a project that another planhost is changing
    std::string view = "floor-plan";
    std::string trace;
    std::vector<std::string> fails;
    std::vector<std::string> empties;
    std::vector<std::string> libraries;  // empty: the shipped default library; "none": nothing
    std::string addon;                   // the add-on module; empty: next to planhost
    int applicationId = 1;               // the host application CheckEnvironment is told
    bool skipFreeData = false;           // unload without FreeData (a fault test)
};

// How a command uses the project file.
enum class ProjectUse {
    kNone,            // not at all (demo: each of its steps is a run of its own)
    kRead,            // reads the saved project, whatever another run is doing, and never saves;
                      // the project must exist
    kChange,          // holds the project from before it reads it to after it saved its changes,
                      // so that no other run changes it meanwhile; created when missing
    kChangeExisting,  // the same; the project must exist
};

// What a command ends with: its exit status, and what it tells the user about its work once
// that is saved (a line that claims work before the save could be a lie).
struct CommandResult {
    CommandResult(ExitStatus status, std::string summary = {})
        : status(status), summary(std::move(summary)) {}
    ExitStatus status;
    std::string summary;  // one line or none
};

// One command. addOptions adds the command's own options to its subcommand; run is called once
// the session is up (project open as `project` says, add-on loaded when needsAddon).
struct CommandEntry {
    std::string name;
    std::string help;
    std::function<void(CLI::App& sub)> addOptions;
    std::function<CommandResult(Session& session)> run;
    bool needsAddon = true;
    ProjectUse project = ProjectUse::kChange;
};

// What the scripted user does while a command runs. A command that lets the user click, pick
// files or cancel adds these options and applies them before it picks its menu item:
//   --click X,Y        answers one point input (repeatable, in order; none left: cancelled)
//   --file PATH        answers one file dialog (repeatable, in order; "-" cancels that dialog;
//                      none left: cancelled)
//   --cancel-after N   the cancel query that follows the N-th progress report answers "cancelled"
struct UserScript {
    std::vector<std::string> clicks;
    std::vector<std::string> files;
    std::vector<int> cancelAfter;
};
void AddUserScriptOptions(CLI::App& sub, UserScript& script);
// A click "X,Y" in metres; nothing when it is not two finite numbers.
std::optional<API_Coord> ParseClick(std::string_view text);
void ApplyUserScript(const UserScript& script, Interaction& interaction);

// Runs planhost: parses the command line, runs the session, returns the exit status.
int RunPlanhost(int argc, char** argv);

// Each group of commands lives in its own file and adds its commands here.
void AddFrameCommands(std::vector<CommandEntry>& commands);   // menu, addons
void AddPointCommands(std::vector<CommandEntry>& commands);   // insert, import, export, update,
                                                              // place, list, render, undo, demo
void AddDialogCommands(std::vector<CommandEntry>& commands);  // settings, info
void AddFloorCommands(std::vector<CommandEntry>& commands);   // floor (the bulk benchmark's
                                                              // yardstick)

}  // namespace planhost
