// Changing one text parameter of a placed object.
#pragma once

#include <string_view>

#include "api/api_records.hpp"

// Sets the text parameter `name` of the object that element's GUID names to value (narrow text
// in the system code page). True when the host took the change.
bool SetObjectParameter(std::string_view name, std::string_view value, const API_Element& element);
