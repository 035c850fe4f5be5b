#include "model/undo_recorder.hpp"

namespace planhost {

void UndoRecorder::Begin(const std::string& title) {
    if (depth_++ == 0) open_ = Recording{UndoStep{0, title, {}}, {}};
}

std::optional<UndoStep> UndoRecorder::End() {
    if (depth_ == 0 || --depth_ > 0) return std::nullopt;
    UndoStep step = std::move(open_.step);
    open_ = Recording{};
    return step;
}

void UndoRecorder::Note(const API_Guid& guid, const ObjectElement* before) {
    NoteIn(depth_ > 0 ? open_ : commandStep_, guid, before);
}

void UndoRecorder::NoteIn(Recording& recording, const API_Guid& guid, const ObjectElement* before) {
    if (!recording.touched.insert(guid).second) return;
    UndoEntry entry;
    entry.guid = guid;
    if (before != nullptr) entry.before = std::make_unique<ObjectElement>(*before);
    recording.step.entries.push_back(std::move(entry));
}

void UndoRecorder::CloseCommandStep() {
    if (commandStep_.step.entries.empty()) return;
    finished_.push_back(UndoStep{0, commandStep_.step.title, std::move(commandStep_.step.entries)});
    commandStep_.step.entries.clear();
    commandStep_.touched.clear();
}

}  // namespace planhost
