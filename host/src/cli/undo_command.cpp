// undo: takes back the newest step of the project's history and prints its title.
#include <optional>
#include <string>

#include "cli/point_command_entries.hpp"
#include "model/model.hpp"
#include "session.hpp"

namespace planhost {

CommandEntry UndoCommand() {
    return {
        "undo",
        "Take back the last undo step of the project (also one of an earlier run) and print its "
        "title.",
        nullptr,
        [](Session& session) {
            const std::optional<std::string> title = session.model().Undo();
            return CommandResult(ExitStatus::kCommandRan, title.value_or("undo: nothing to undo"));
        },
        false,
        ProjectUse::kChangeExisting,
    };
}

}  // namespace planhost
