// The project file: one SQLite database per plan, holding the floor plan's objects, their
// parameter lists and the undo history. Everything a command changed is written by one Save,
// in one transaction, so the file always holds the state after some whole command.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/undo_step.hpp"

struct sqlite3;

namespace planhost {

struct ProjectChanges {
    std::vector<SharedParameters> newParameterLists;
    std::vector<const ObjectElement*> storedElements;  // new or changed
    std::vector<API_Guid> removedElements;
    std::vector<std::int64_t> removedSteps;  // stored steps that undo took back
    std::vector<const UndoStep*> newSteps;   // oldest first
};

// How a run opens the project file.
enum class ProjectAccess {
    kCreateOrChange,  // created (with its tables) when missing
    kChange,          // must exist
    kRead,            // must exist; Save refuses, the file is never written
};

class Project {
public:
    // Opens the file as access says. Throws std::runtime_error when it cannot be opened or is
    // not a project of this host.
    Project(const std::string& path, ProjectAccess access);
    ~Project();
    Project(const Project&) = delete;
    Project& operator=(const Project&) = delete;

    const std::string& path() const { return path_; }

    // Runs read, the calls that load the project, in one read transaction: they see one saved
    // state, also while another run saves.
    void ReadConsistently(const std::function<void()>& read);

    using ParametersById = std::function<SharedParameters(std::int64_t id)>;
    void LoadParameterLists(const std::function<void(std::int64_t, ParameterList)>& take);
    // The objects in the host's order; the part index is left 0 for the caller to resolve.
    void LoadElements(const ParametersById& params,
                      const std::function<void(ObjectElement&&)>& take);
    std::int64_t ElementCount();
    std::int64_t LastOrder();
    // The newest stored step with an id below `below` (0: any).
    std::optional<UndoStep> NewestStep(std::int64_t below, const ParametersById& params);

    // Writes the changes in one transaction; throws std::runtime_error (and writes nothing)
    // when the file refuses them or the project was opened for reading.
    void Save(const ProjectChanges& changes);

private:
    void Execute(const char* sql);
    void CreateTables();
    void CheckFormat();

    std::string path_;
    bool readOnly_ = false;
    sqlite3* db_ = nullptr;
};

}  // namespace planhost
