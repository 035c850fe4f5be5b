// The host's model: the loaded libraries, the floor plan's object elements, undo, and the
// project file that keeps them. Pure C++; the entry table's element operations translate to
// and from it. Not thread-safe: the user-interface thread only.
//
// Lifetime of changes: every change lives in memory until Commit, which writes all of them and
// the undo steps of the command to the project file in one transaction. A planhost that ends
// without Commit (killed, crashed) leaves the project as it was before the command.
//
// Undo: BeginUndoStep/EndUndoStep bracket one undoable step (ACAPI_CallUndoableCommand).
// Changes made outside any step are gathered into one step of their own, titled with
// SetCommandTitle (e.g. "Import points"), which goes on top of the history when the command
// is committed. Undo takes back the newest step, also one that an earlier run committed.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/element.hpp"
#include "model/library.hpp"
#include "model/project.hpp"

namespace planhost {

class ElementStore;
class UndoRecorder;
class ParameterPool;
struct UndoStep;

struct ModelOptions {
    std::string projectPath = "plan.db";
    ProjectAccess access = ProjectAccess::kCreateOrChange;
    std::vector<std::string> libraryFolders;  // empty: the shipped default library
    bool noLibrary = false;                   // --library none
};

class Model {
public:
    explicit Model(const ModelOptions& options);  // opens the project, loads the libraries;
                                                  // throws std::runtime_error when the project
                                                  // file cannot be opened or is not one
    ~Model();
    Model(const Model&) = delete;
    Model& operator=(const Model&) = delete;

    const Library& library() const;
    Project& project();

    // ---- The floor plan's objects, in the host's order (creation order).
    const std::vector<ObjectElement>& Elements() const;
    const ObjectElement* Find(const API_Guid& guid) const;  // O(1)

    // Adds a new object. The model gives it its GUID, order and stamp, resolves layer 0 to
    // the default layer and draw index 0xFF (or 0) to the top drawing level, and fills `part`
    // from libInd. Refuses (and adds nothing) with APIERR_BADVALUE when a coordinate or size
    // is not finite, APIERR_BADINDEX when libInd names no loaded part, APIERR_BADPARS for a
    // negative layer. On success element holds what was stored.
    GSErrCode Add(ObjectElement& element);
    // Replaces the stored object with the same GUID by element (GUID, order and part index
    // are checked as in Add; the stamp grows). APIERR_BADELEMENT when there is none.
    GSErrCode Replace(ObjectElement& element);

    // The shared form of a parameter list (equal lists share one copy).
    SharedParameters ShareParameters(ParameterList list);

    // ---- Undo.
    void BeginUndoStep(const std::string& title);  // nested steps join the outermost one
    // Ends the step begun last; without keepChanges the step's changes are rolled back.
    void EndUndoStep(bool keepChanges);
    bool InUndoStep() const;
    // The title of the step that gathers this command's changes made outside undoable steps.
    void SetCommandTitle(std::string title);
    // Takes back the newest step; returns its title, or nothing when there is no step.
    std::optional<std::string> Undo();

    // Writes the command's changes to the project file in one transaction. False when there
    // was nothing to write (the file is left untouched).
    bool Commit();

private:
    struct Pending;
    void Load();  // the project's parameter lists and objects
    // Validates and resolves the host's defaults; stored: the element before a change.
    GSErrCode Check(ObjectElement& element, const ObjectElement* stored) const;
    void ResolvePart(ObjectElement& element);  // libInd from the part's file name
    void Apply(const UndoStep& step);          // puts back what the step changed
    std::function<SharedParameters(std::int64_t)> ParametersById() const;

    ModelOptions options_;
    Library library_;
    std::unique_ptr<Project> project_;
    std::unique_ptr<ParameterPool> pool_;
    std::unique_ptr<ElementStore> store_;
    std::unique_ptr<UndoRecorder> undo_;
    std::unique_ptr<Pending> pending_;
    std::unordered_map<std::string, Int32> partIndices_;
    std::int64_t lastOrder_ = 0;
    UInt8 topDrawIndex_ = kHostDefaultDrawIndex;
};

}  // namespace planhost
