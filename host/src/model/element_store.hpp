// The floor plan's objects in the host's order, indexed by GUID.
#pragma once

#include <unordered_map>
#include <vector>

#include "model/element.hpp"
#include "model/guid.hpp"

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
    void Reindex(std::size_t from);

    std::vector<ObjectElement> elements_;  // ascending order
    std::unordered_map<API_Guid, std::size_t, GuidHash> index_;
};

}  // namespace planhost
