// One undoable step: for each element that the step touched, the element as it was before
// the step's first change of it (nothing when the step created it).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/element.hpp"

namespace planhost {

struct UndoEntry {
    API_Guid guid{};
    std::optional<ObjectElement> before;  // nothing: the step created the element
};

struct UndoStep {
    std::int64_t id = 0;  // its key in the project file; 0 until it is stored
    std::string title;
    std::vector<UndoEntry> entries;  // in the order of the first changes
};

}  // namespace planhost
