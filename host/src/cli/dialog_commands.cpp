// Commands of the dialogs: settings, info.
#include "cli/commands.hpp"

namespace planhost {

void AddDialogCommands(std::vector<CommandSpec>& /*commands*/) {}

}  // namespace planhost
