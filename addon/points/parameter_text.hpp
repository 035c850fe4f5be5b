// Reading one text parameter of a placed object.
#pragma once

#include <string_view>

#include "GS/UniString.hpp"
#include "api/api_records.h"

// The text value of the object's parameter of that name (compared exactly, cut to the 31
// characters that a parameter name holds); empty when there is no such parameter, the list
// cannot be read, or the parameter holds no text. The first parameter of that name counts.
GS::UniString GetParameterText(std::string_view name, const API_Element& element);
