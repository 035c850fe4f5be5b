// A parameter list as the C API hands it out: one 560-byte record per parameter. A library
// part keeps its defaults in this form, so handing them out is one copy.
#pragma once

#include <vector>

#include "api/api_records.h"
#include "model/parameter.hpp"

namespace planhost {

using ParameterRecords = std::vector<API_AddParType>;

// The record of the parameter at that 0-based place: zero-filled, then every field set.
void FillParameterRecord(const Parameter& parameter, std::size_t index, API_AddParType* record);
ParameterRecords MakeParameterRecords(const ParameterList& list);

}  // namespace planhost
