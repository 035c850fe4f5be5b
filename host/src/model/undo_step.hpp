// One undoable step: for each element that the step touched, the element as it was before
// the step's first change of it (nothing when the step created it).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/element.hpp"

namespace planhost {

struct UndoEntry {
    API_Guid guid{};
    // Null: the step created the element. Held apart so that a creation costs no snapshot.
    std::unique_ptr<ObjectElement> before;
};

struct UndoStep {
    std::int64_t id = 0;  // its key in the project file; 0 until it is stored
    std::string title;
    std::vector<UndoEntry> entries;  // in the order of the first changes
};

}  // namespace planhost
