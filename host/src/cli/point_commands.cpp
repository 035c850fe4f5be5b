// Commands of the measure points: insert, import, export, update, place, list, render, undo, demo.
#include "cli/commands.hpp"

namespace planhost {

void AddPointCommands(std::vector<CommandSpec>& /*commands*/) {}

}  // namespace planhost
