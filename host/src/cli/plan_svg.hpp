// The floor plan as an SVG picture: every object with its plan symbol and element ID, measured
// and design points in their own symbol and colour, a grid in metres, a scale bar and a legend.
// The picture grows with the number of objects so that each keeps room for its number.
#pragma once

#include <string>

namespace planhost {

class Model;

std::string RenderPlanSvg(const Model& model, const std::string& title);

}  // namespace planhost
