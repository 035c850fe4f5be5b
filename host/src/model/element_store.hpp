// The floor plan's objects in the host's order, indexed by GUID.
#pragma once

#include <vector>

#include "model/element.hpp"
#include "model/guid_index.hpp"

namespace planhost {

class ElementStore {
public:
    const std::vector<ObjectElement>& All() const { return elements_; }
    const ObjectElement* Find(const API_Guid& guid) const;
    ObjectElement* Find(const API_Guid& guid);
    // Puts the element at its place in the order (at the end for a new one); an element with
    // the same GUID is replaced.
    void Put(ObjectElement element);
    bool Remove(const API_Guid& guid);
    void Reserve(std::size_t count);

private:
    std::size_t PositionOf(const API_Guid& guid) const;
    void Reindex(std::size_t from);

    std::vector<ObjectElement> elements_;  // ascending order
    GuidIndex index_;
    // Where the last lookup found its element. Add-ons walk the element list in order and ask
    // several times about each element, so most lookups hit it or the element after it, and
    // skip the hash table's cache miss. Only a hint: always checked against the GUID.
    mutable std::size_t lastFound_ = 0;
};

}  // namespace planhost
