#include "model/guid_index.hpp"

#include <algorithm>
#include <bit>
#include <utility>

#include "model/guid.hpp"

namespace planhost {

namespace {

constexpr std::size_t kSmallestTable = 16;

// The table size that keeps count GUIDs at most three quarters full.
std::size_t CapacityFor(std::size_t count) {
    return std::max(kSmallestTable, std::bit_ceil(count + count / 3 + 1));
}

}  // namespace

std::size_t GuidIndex::HomeOf(const API_Guid& guid) const {
    return GuidHash{}(guid) & (slots_.size() - 1);
}

std::size_t GuidIndex::SlotOf(const API_Guid& guid) const {
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = HomeOf(guid);
    while (slots_[slot].position != kNone && !(slots_[slot].guid == guid)) slot = (slot + 1) & mask;
    return slot;
}

std::size_t GuidIndex::Find(const API_Guid& guid) const {
    return slots_.empty() ? kNone : slots_[SlotOf(guid)].position;
}

void GuidIndex::Set(const API_Guid& guid, std::size_t position) {
    if (slots_.size() < CapacityFor(count_ + 1)) Rehash(CapacityFor(count_ + 1));
    Slot& slot = slots_[SlotOf(guid)];
    if (slot.position == kNone) ++count_;
    slot = {guid, position};
}

// Backward-shift deletion: the entries after the freed slot move up where their probe allows,
// so that no probe ever stops early at a hole.
bool GuidIndex::Erase(const API_Guid& guid) {
    if (slots_.empty()) return false;
    const std::size_t mask = slots_.size() - 1;
    std::size_t hole = SlotOf(guid);
    if (slots_[hole].position == kNone) return false;
    for (std::size_t next = (hole + 1) & mask; slots_[next].position != kNone;
         next = (next + 1) & mask) {
        // The entry may fill the hole unless its home lies cyclically in (hole, next].
        const std::size_t home = HomeOf(slots_[next].guid);
        const bool homeAfterHole = ((home - hole - 1) & mask) < ((next - hole) & mask);
        if (homeAfterHole) continue;
        slots_[hole] = slots_[next];
        hole = next;
    }
    slots_[hole] = Slot{};
    --count_;
    return true;
}

void GuidIndex::Reserve(std::size_t count) {
    if (slots_.size() < CapacityFor(count)) Rehash(CapacityFor(count));
}

void GuidIndex::Rehash(std::size_t capacity) {
    std::vector<Slot> old = std::exchange(slots_, std::vector<Slot>(capacity));
    for (const Slot& slot : old)
        if (slot.position != kNone) slots_[SlotOf(slot.guid)] = slot;
}

}  // namespace planhost
