// Gathers the undo steps of one command: the open undoable step (nested steps join it), the
// step of the changes made outside any undoable step, and the finished steps not yet stored.
#pragma once

#include <optional>
#include <unordered_set>
#include <vector>

#include "model/guid.hpp"
#include "model/undo_step.hpp"

namespace planhost {

class UndoRecorder {
public:
    void Begin(const std::string& title);  // a nested step joins the outermost one
    // Ends the step begun last; returns the finished step when that was the outermost.
    std::optional<UndoStep> End();
    bool IsOpen() const { return depth_ > 0; }

    // Keeps the element's state before its first change in the current step (null: the
    // element is new).
    void Note(const API_Guid& guid, const ObjectElement* before);

    void SetCommandTitle(std::string title) { commandStep_.step.title = std::move(title); }
    // Puts the command's changes made outside undoable steps on top as one step.
    void CloseCommandStep();

    std::vector<UndoStep>& finished() { return finished_; }

private:
    struct Recording {
        UndoStep step;
        std::unordered_set<API_Guid, GuidHash> touched;
    };
    static void NoteIn(Recording& recording, const API_Guid& guid, const ObjectElement* before);

    int depth_ = 0;
    Recording open_;
    Recording commandStep_{UndoStep{0, "Changes", {}}, {}};
    std::vector<UndoStep> finished_;
};

}  // namespace planhost
