// The section headers of a points file.
#pragma once

#include <string_view>

constexpr std::string_view MeasuredPointsHeader = "[Measured_Points]";
constexpr std::string_view DesignPointsHeader = "[Design_Points]";
