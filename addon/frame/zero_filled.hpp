// Host records go to the host zero-filled: every byte, padding and unused union room included.
#pragma once

#include <cstring>
#include <type_traits>

template <typename Record>
Record ZeroFilled() {
    static_assert(std::is_trivially_copyable_v<Record>);
    Record record;
    std::memset(static_cast<void*>(&record), 0, sizeof(record));
    return record;
}
