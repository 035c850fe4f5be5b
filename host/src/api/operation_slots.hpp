// The names of the host operations and their slots in the entry table, as the command line
// (--fail, --empty) and the trace name them.
#pragma once

#include <string_view>

#include "api/api_entry_table.hpp"

namespace planhost {

bool IsOperationName(std::string_view name);
// Leaves that operation's slot empty (null); false for an unknown name.
bool EmptySlot(API_EntryTable& table, std::string_view name);

}  // namespace planhost
