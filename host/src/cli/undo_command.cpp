// undo: takes back the newest step of the project's history and prints its title.
#include <cstdio>

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
            std::optional<std::string> title = session.model().Undo();
            if (title) {
                std::printf("%s\n", title->c_str());
            } else {
                std::printf("undo: nothing to undo\n");
            }
            return 0;
        },
        false,
    };
}

}  // namespace planhost
