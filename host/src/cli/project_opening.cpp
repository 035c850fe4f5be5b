#include "cli/project_opening.hpp"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <string>
#include <thread>

#include "IO/Utf8Path.hpp"

namespace planhost {

namespace {

constexpr std::chrono::milliseconds kLockPollInterval{50};

ProjectAccess AccessFor(ProjectUse use) {
    switch (use) {
        case ProjectUse::kRead:
            return ProjectAccess::kRead;
        case ProjectUse::kChangeExisting:
            return ProjectAccess::kChange;
        default:
            return ProjectAccess::kCreateOrChange;
    }
}

ModelOptions BuildModelOptions(ProjectUse use, const GlobalOptions& options) {
    ModelOptions model;
    model.projectPath = options.project;
    model.access = AccessFor(use);
    const bool none = options.libraries.size() == 1 && options.libraries.front() == "none";
    model.noLibrary = none;
    if (!none) model.libraryFolders = options.libraries;
    return model;
}

void TellCannotOpen(const std::string& project, const std::string& why) {
    std::fprintf(stderr,
                 "planhost: cannot open the project %s: %s; check the path and its permissions, "
                 "or name another project with --project FILE\n",
                 project.c_str(), why.c_str());
}

// Takes the project's lock, waiting up to waitSeconds while another run holds it.
std::unique_ptr<os::LockFile> HoldProject(const std::string& project, double waitSeconds) {
    const std::filesystem::path lockPath = ProjectLockPath(IO::PathFromUtf8(project));
    std::error_code error;
    std::unique_ptr<os::LockFile> lock = os::LockFile::Open(lockPath, error);
    if (!lock) {
        TellCannotOpen(project, "its lock file " + IO::Utf8FromPath(lockPath) +
                                    " cannot be made: " + error.message());
        return nullptr;
    }
    if (lock->TryLock()) return lock;
    if (waitSeconds > 0) {
        std::fprintf(stderr,
                     "planhost: the project %s is in use by another planhost; waiting up to %g s "
                     "for it to finish\n",
                     project.c_str(), waitSeconds);
    }
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::duration<double>(std::max(waitSeconds, 0.0));
    while (std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(kLockPollInterval);
        if (lock->TryLock()) return lock;
    }
    std::fprintf(stderr,
                 "planhost: the project %s is in use by another planhost; try again when it has "
                 "finished\n",
                 project.c_str());
    return nullptr;
}

}  // namespace

std::filesystem::path ProjectLockPath(const std::filesystem::path& project) {
    std::error_code error;
    std::filesystem::path file = std::filesystem::weakly_canonical(project, error);
    if (error) file = project;
    std::filesystem::path name = ".";
    name += file.filename();
    name += ".lock";
    return file.parent_path() / name;
}

std::optional<OpenedProject> OpenProject(ProjectUse use, const GlobalOptions& options) {
    OpenedProject opened;
    if (use == ProjectUse::kNone) return opened;
    std::error_code error;
    if (use != ProjectUse::kChange &&
        !std::filesystem::exists(IO::PathFromUtf8(options.project), error)) {
        std::fprintf(stderr,
                     "planhost: no such project %s; name an existing one with --project FILE\n",
                     options.project.c_str());
        return std::nullopt;
    }
    if (use != ProjectUse::kRead) {
        opened.hold = HoldProject(options.project, options.waitSeconds);
        if (!opened.hold) return std::nullopt;
    }
    try {
        opened.model = std::make_unique<Model>(BuildModelOptions(use, options));
    } catch (const std::exception& failure) {
        TellCannotOpen(options.project, failure.what());
        return std::nullopt;
    }
    return opened;
}

}  // namespace planhost
