// The command line of planhost: global options and the command registry.
// planhost [--project FILE] [--view floor-plan|section|3d|layout] [--trace FILE]
//          [--fail OP[:SEL][@N]=CODE]... [--empty OP[:SEL]]... [--library DIR]... COMMAND [ARGS]
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <string>
#include <vector>

namespace planhost {

class Session;

struct GlobalOptions {
    std::string project = "plan.db";
    std::string view = "floor-plan";
    std::string trace;
    std::vector<std::string> fails;
    std::vector<std::string> empties;
    std::vector<std::string> libraries;  // empty: the shipped default library; "none": nothing
    std::string addon;                   // the add-on module; empty: next to planhost
};

// One command. addOptions adds the command's own options to its subcommand; run is called once
// the session is up (project open, add-on loaded when needsAddon) and returns the exit status:
// 0 when the command ran, whatever it reported; 2 for a usage error; 3 and up as the command says.
struct CommandSpec {
    std::string name;
    std::string help;
    std::function<void(CLI::App& sub)> addOptions;
    std::function<int(Session& session)> run;
    bool needsAddon = true;
};

// Each group of commands lives in its own file and adds its commands here.
void AddFrameCommands(std::vector<CommandSpec>& commands);   // menu, addons
void AddPointCommands(std::vector<CommandSpec>& commands);   // insert, import, export, update,
                                                             // place, list, render, undo, demo
void AddDialogCommands(std::vector<CommandSpec>& commands);  // settings, info

}  // namespace planhost
