// The names of the host operations and their slots in the entry table, as the command line
// (--fail, --empty) and the trace name them.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "api/api_entry_table.hpp"

namespace planhost {

struct OperationSlot {
    std::string_view name;  // "ACAPI_Database"
    std::size_t offset;     // of its function pointer in API_EntryTable
};

std::span<const OperationSlot> OperationSlots();
bool IsOperationName(std::string_view name);
// Leaves that operation's slot empty (null); false for an unknown name.
bool EmptySlot(API_EntryTable& table, std::string_view name);

}  // namespace planhost
