// Reading one text parameter of a placed object.
#pragma once

#include <string_view>

#include "GS/UniString.hpp"
#include "api/api_records.hpp"

// How many parameters the library part at that index declares; 0 when it cannot be read.
Int32 CountPartParameters(Int32 libInd);

// The text value of the object's parameter of that name (compared exactly, cut to the 31
// characters that a parameter name holds); empty when there is no such parameter, the list
// cannot be read, or the parameter holds no text. The first parameter of that name counts.
// Only the first partParameterCount parameters of the object's list are looked at: the count
// of its part (CountPartParameters), which a caller reading many objects of one part asks once.
GS::UniString GetParameterText(std::string_view name, const API_Element& element,
                               Int32 partParameterCount);
