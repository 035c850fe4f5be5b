// The groups of element operations; FillElementOperations puts all of them into the table.
#pragma once

#include "api/api_entry_table.hpp"

namespace planhost {

void FillLibPartOperations(API_EntryTable& table);    // search, get, parameters
void FillParameterOperations(API_EntryTable& table);  // 'OPAR' 'CHGP' 'GPAR' 'CPAR', change
void FillUndoOperations(API_EntryTable& table);       // undoable commands

}  // namespace planhost
