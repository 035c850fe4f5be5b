// Opening the project as a command uses it (ProjectUse). A run that changes the project holds
// it through a lock file beside it, ".NAME.lock", from before it reads the project until it
// ends, so that two runs never build on the same state and one's save never drops the other's
// work; a second such run waits, then gives up. A run that only reads does not wait: it reads
// the project as last saved.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>

#include "cli/commands.hpp"
#include "model/model.hpp"
#include "os/lock_file.hpp"

namespace planhost {

struct OpenedProject {
    std::unique_ptr<os::LockFile> hold;  // null for a run that only reads
    std::unique_ptr<Model> model;        // null for a run without a project
};

// The lock file of the project: beside the file that symbolic links lead to, so that every
// name of one project meets at one lock.
std::filesystem::path ProjectLockPath(const std::filesystem::path& project);

// The project opened for the command; nothing, after telling the user why, when it cannot be.
std::optional<OpenedProject> OpenProject(ProjectUse use, const GlobalOptions& options);

}  // namespace planhost
