// Where each element stands in the store's order, by GUID. One flat table with open addressing
// and linear probing: a lookup costs about one cache miss, where a node-based map chases a
// bucket and a node, which the per-element calls of a bulk command pay many times over.
#pragma once

#include <cstddef>
#include <limits>
#include <vector>

#include "api/api_records.hpp"

namespace planhost {

class GuidIndex {
public:
    static constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

    // The position stored for the GUID; kNone when there is none.
    std::size_t Find(const API_Guid& guid) const;
    // Stores the position for the GUID, replacing an earlier one.
    void Set(const API_Guid& guid, std::size_t position);
    // False when the GUID was not there.
    bool Erase(const API_Guid& guid);
    // Room for this many GUIDs without growing.
    void Reserve(std::size_t count);
    std::size_t size() const { return count_; }

private:
    struct Slot {
        API_Guid guid{};
        std::size_t position = kNone;  // kNone: an empty slot
    };

    std::size_t HomeOf(const API_Guid& guid) const;
    // The slot that holds the GUID, or the empty slot where its probe ends.
    std::size_t SlotOf(const API_Guid& guid) const;
    void Rehash(std::size_t capacity);

    std::vector<Slot> slots_;  // a power of two in size, at most three quarters full
    std::size_t count_ = 0;
};

}  // namespace planhost
