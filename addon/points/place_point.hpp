// Placing one measure point: the only place where the add-on creates elements.
#pragma once

#include <string_view>

#include "api/api_base.hpp"

// Places the measure-point object with `number` as its element ID at x, y (plan, metres) and
// elevation z, sized by the SymbolSize setting, as one undoable step "Create text". A kind tag
// that holds "M" makes it a measured point (the library's marker styles); any other keeps the
// object's own. Reports its own failures; the caller cannot tell whether a point was placed.
void PlacePoint(Int32 number, double x, double y, double z, std::string_view kind);
