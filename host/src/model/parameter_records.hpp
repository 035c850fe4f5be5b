// Parameter lists turned into the C API's records. Library parts and shared lists keep theirs
// ready, so handing a list out is one copy.
#pragma once

#include <vector>

#include "api/api_records.hpp"
#include "model/parameter.hpp"

namespace planhost {

// The record of the parameter at that 0-based place: zero-filled, then every field set.
void FillParameterRecord(const Parameter& parameter, std::size_t index, API_AddParType* record);
ParameterRecords MakeParameterRecords(const ParameterList& list);

}  // namespace planhost
