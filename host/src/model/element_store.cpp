#include "model/element_store.hpp"

#include <algorithm>

namespace planhost {

const ParameterList& ObjectElement::Parameters() const {
    static const ParameterList kNone;
    return params ? params->list : kNone;
}

const ParameterRecords& ObjectElement::ApiParameters() const {
    static const ParameterRecords kNone;
    return params ? params->records : kNone;
}

std::size_t ElementStore::PositionOf(const API_Guid& guid) const {
    for (const std::size_t near : {lastFound_, lastFound_ + 1}) {
        if (near < elements_.size() && elements_[near].guid == guid) return lastFound_ = near;
    }
    const std::size_t position = index_.Find(guid);
    if (position != GuidIndex::kNone) lastFound_ = position;
    return position;
}

const ObjectElement* ElementStore::Find(const API_Guid& guid) const {
    const std::size_t position = PositionOf(guid);
    return position == GuidIndex::kNone ? nullptr : &elements_[position];
}

ObjectElement* ElementStore::Find(const API_Guid& guid) {
    const std::size_t position = PositionOf(guid);
    return position == GuidIndex::kNone ? nullptr : &elements_[position];
}

void ElementStore::Put(ObjectElement element) {
    if (ObjectElement* stored = Find(element.guid)) {
        if (stored->order == element.order) {
            *stored = std::move(element);
            return;
        }
        Remove(element.guid);
    }
    if (elements_.empty() || elements_.back().order < element.order) {
        index_.Set(element.guid, elements_.size());
        elements_.push_back(std::move(element));
        return;
    }
    // Only undo brings an element back into the middle of the order.
    auto at = std::lower_bound(
        elements_.begin(), elements_.end(), element.order,
        [](const ObjectElement& stored, std::int64_t order) { return stored.order < order; });
    std::size_t position = std::size_t(at - elements_.begin());
    elements_.insert(at, std::move(element));
    Reindex(position);
}

bool ElementStore::Remove(const API_Guid& guid) {
    const std::size_t position = PositionOf(guid);
    if (position == GuidIndex::kNone) return false;
    index_.Erase(guid);
    elements_.erase(elements_.begin() + std::ptrdiff_t(position));
    Reindex(position);  // nothing to do when the newest element goes, as undo does
    return true;
}

void ElementStore::Reserve(std::size_t count) {
    elements_.reserve(count);
    index_.Reserve(count);
}

void ElementStore::Reindex(std::size_t from) {
    for (std::size_t i = from; i < elements_.size(); ++i) index_.Set(elements_[i].guid, i);
}

}  // namespace planhost
