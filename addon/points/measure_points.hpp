// The measure points placed in the model: objects of the chosen library part, sorted into
// measured and design points by their "strMarkerStyle".
#pragma once

#include <vector>

#include "api/api_records.hpp"

struct MeasurePoints {
    std::vector<API_Element> measured;  // "strMarkerStyle" is marker style 1, exactly
    std::vector<API_Element> design;    // any other value, or none
};

// Reads the settings, finds the library part that they name and sorts every object element of
// that part, in the host's order. Nothing when the part is not loaded.
MeasurePoints CollectMeasurePoints();

// The point number that the element ID holds (atoi rules); 0 without a readable memo.
Int32 ReadPointNumber(const API_Element& element);
