#include "model/model.hpp"

#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "model/element_store.hpp"
#include "model/parameter_pool.hpp"
#include "model/project.hpp"
#include "model/undo_recorder.hpp"

namespace planhost {

namespace {

bool IsFinite(const ObjectElement& element) {
    return std::isfinite(element.a) && std::isfinite(element.b) && std::isfinite(element.x) &&
           std::isfinite(element.y) && std::isfinite(element.z) && std::isfinite(element.angle);
}

std::vector<std::string> LibraryFolders(const ModelOptions& options) {
    if (options.noLibrary) return {};
    if (options.libraryFolders.empty()) return {DefaultLibraryFolder()};
    return options.libraryFolders;
}

}  // namespace

// What the command changed since the last commit, beyond the undo steps.
struct Model::Pending {
    std::unordered_set<API_Guid, GuidHash> touched;
    std::vector<std::int64_t> takenBackSteps;  // stored steps that undo took back
    std::int64_t lowestTakenBack = 0;
};

Model::Model(const ModelOptions& options)
    : options_(options),
      pool_(std::make_unique<ParameterPool>()),
      store_(std::make_unique<ElementStore>()),
      undo_(std::make_unique<UndoRecorder>()),
      pending_(std::make_unique<Pending>()) {
    library_.LoadFolders(LibraryFolders(options));
    project_ = std::make_unique<Project>(options.projectPath, options.access);
    project_->ReadConsistently([this] { Load(); });
}

void Model::Load() {
    project_->LoadParameterLists(
        [this](std::int64_t id, ParameterList list) { pool_->AddStored(id, std::move(list)); });
    store_->Reserve(std::size_t(project_->ElementCount()));
    project_->LoadElements(ParametersById(), [this](ObjectElement&& element) {
        ResolvePart(element);
        lastOrder_ = std::max(lastOrder_, element.order);
        topDrawIndex_ = std::max(topDrawIndex_, element.drawIndex);
        store_->Put(std::move(element));
    });
    lastOrder_ = std::max(lastOrder_, project_->LastOrder());
}

Model::~Model() = default;

const Library& Model::library() const {
    return library_;
}

Project& Model::project() {
    return *project_;
}

const std::vector<ObjectElement>& Model::Elements() const {
    return store_->All();
}

const ObjectElement* Model::Find(const API_Guid& guid) const {
    return store_->Find(guid);
}

std::function<SharedParameters(std::int64_t)> Model::ParametersById() const {
    return [this](std::int64_t id) { return pool_->FindById(id); };
}

void Model::ResolvePart(ObjectElement& element) {
    auto it = partIndices_.find(element.part);
    if (it == partIndices_.end()) {
        const LibraryPart* part = library_.FindByFileNameUtf8(element.part);
        it = partIndices_.emplace(element.part, part ? part->index : 0).first;
    }
    element.libInd = it->second;
}

GSErrCode Model::Check(ObjectElement& element, const ObjectElement* stored) const {
    if (!IsFinite(element)) return APIERR_BADVALUE;
    if (element.layer < 0) return APIERR_BADPARS;
    const LibraryPart* part = library_.Find(element.libInd);
    if (part != nullptr) {
        element.part = part->FileNameUtf8();
    } else if (stored != nullptr && element.libInd == 0 && stored->libInd == 0) {
        element.part = stored->part;  // an object whose part this run did not load
    } else {
        return APIERR_BADINDEX;
    }
    if (element.layer == API_DefaultLayer) element.layer = kHostDefaultLayer;
    if (element.drawIndex == 0) element.drawIndex = kHostDefaultDrawIndex;
    if (element.drawIndex == API_DrawOnTop) element.drawIndex = topDrawIndex_;
    if (!element.hasMemo) {
        element.id.clear();
        element.params = nullptr;
    }
    return NoError;
}

GSErrCode Model::Add(ObjectElement& element) {
    if (GSErrCode error = Check(element, nullptr); error != NoError) return error;
    do {
        element.guid = NewGuid();
    } while (store_->Find(element.guid) != nullptr);
    element.order = ++lastOrder_;
    element.modiStamp = 1;
    topDrawIndex_ = std::max(topDrawIndex_, element.drawIndex);
    undo_->Note(element.guid, nullptr);
    pending_->touched.insert(element.guid);
    store_->Put(element);
    return NoError;
}

GSErrCode Model::Replace(ObjectElement& element) {
    const ObjectElement* stored = store_->Find(element.guid);
    if (stored == nullptr) return APIERR_BADELEMENT;
    if (GSErrCode error = Check(element, stored); error != NoError) return error;
    element.order = stored->order;
    element.modiStamp = stored->modiStamp + 1;
    topDrawIndex_ = std::max(topDrawIndex_, element.drawIndex);
    undo_->Note(element.guid, stored);
    pending_->touched.insert(element.guid);
    store_->Put(element);
    return NoError;
}

SharedParameters Model::ShareParameters(ParameterList list) {
    return pool_->Share(std::move(list));
}

void Model::BeginUndoStep(const std::string& title) {
    undo_->Begin(title);
}

void Model::EndUndoStep(bool keepChanges) {
    std::optional<UndoStep> step = undo_->End();
    if (!step) return;
    if (!keepChanges) {
        Apply(*step);
    } else if (!step->entries.empty()) {
        undo_->finished().push_back(std::move(*step));
    }
}

bool Model::InUndoStep() const {
    return undo_->IsOpen();
}

void Model::SetCommandTitle(std::string title) {
    undo_->SetCommandTitle(std::move(title));
}

void Model::Apply(const UndoStep& step) {
    for (auto entry = step.entries.rbegin(); entry != step.entries.rend(); ++entry) {
        if (entry->before) {
            ObjectElement before = *entry->before;
            ResolvePart(before);
            store_->Put(std::move(before));
        } else {
            store_->Remove(entry->guid);
        }
        pending_->touched.insert(entry->guid);
    }
}

std::optional<std::string> Model::Undo() {
    undo_->CloseCommandStep();
    std::vector<UndoStep>& finished = undo_->finished();
    if (!finished.empty()) {
        UndoStep step = std::move(finished.back());
        finished.pop_back();
        Apply(step);
        return step.title;
    }
    std::optional<UndoStep> stored =
        project_->NewestStep(pending_->lowestTakenBack, ParametersById());
    if (!stored) return std::nullopt;
    Apply(*stored);
    pending_->takenBackSteps.push_back(stored->id);
    pending_->lowestTakenBack = stored->id;
    return stored->title;
}

bool Model::Commit() {
    undo_->CloseCommandStep();
    ProjectChanges changes;
    changes.newParameterLists = pool_->TakeNew();
    for (const API_Guid& guid : pending_->touched) {
        if (const ObjectElement* element = store_->Find(guid)) {
            changes.storedElements.push_back(element);
        } else {
            changes.removedElements.push_back(guid);
        }
    }
    // In the host's order, which is the project file's key: the rows then go in one after the
    // other instead of at random places of a table that may hold a million objects.
    std::sort(changes.storedElements.begin(), changes.storedElements.end(),
              [](const ObjectElement* a, const ObjectElement* b) { return a->order < b->order; });
    changes.removedSteps = pending_->takenBackSteps;
    for (const UndoStep& step : undo_->finished()) changes.newSteps.push_back(&step);
    // A command that only read the plan leaves the file untouched.
    if (changes.newParameterLists.empty() && changes.storedElements.empty() &&
        changes.removedElements.empty() && changes.removedSteps.empty() &&
        changes.newSteps.empty()) {
        return false;
    }
    try {
        project_->Save(changes);
    } catch (...) {
        // The lists stay new, so that a later commit writes them with the elements.
        for (SharedParameters& list : changes.newParameterLists) pool_->Requeue(std::move(list));
        throw;
    }
    *pending_ = Pending{};
    undo_->finished().clear();
    return true;
}

}  // namespace planhost
