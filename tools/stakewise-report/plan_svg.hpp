// The site in plan, as SVG: each design point, its staked point with the deviation drawn
// enlarged by a stated factor, and the points without a partner, scaled to the extent of the
// points drawn.
#pragma once

#include <cstddef>
#include <vector>

#include "stakeout_report.hpp"
#include "text_output.hpp"

// The smallest rectangle around a set of points, in metres.
struct PlanExtent {
    double minX = 0.0;
    double minY = 0.0;
    double maxX = 0.0;
    double maxY = 0.0;
};

// Where a metre of the site and a metre of deviation land in the picture.
struct PlanScale {
    double minX = 0.0;  // metres at the left and the bottom of the drawing area
    double minY = 0.0;
    double pixelsPerMetre = 1.0;
    double margin = 0.0;  // pixels around the drawing area, room for what is drawn about a point
    double width = 0.0;   // pixels, margins and the band of scale bars included
    double height = 0.0;
    double exaggeration = 1.0;  // deviations are drawn this many times larger than the site

    double X(double x) const;
    double Y(double y) const;
};

// The largest of 1, 2 and 5 times a power of ten that is not above value (which is > 0).
double RoundNumberAtMost(double value);

// Fits the extent into the picture, centred; deviationReference (metres, usually the
// horizontal tolerance; 0 for none) is drawn about a fixed number of pixels long, with a round
// factor of at least 1. The margins hold the largest deviation (metres) as drawn, up to a limit,
// so that the points at the edge keep their deviation, tolerance circle and number in sight.
PlanScale ScalePlan(const PlanExtent& extent, double deviationReference, double largestDeviation);

// Which points the picture draws, as indices into the report's pairs and points.
struct ShownPoints {
    std::vector<std::size_t> pairs;  // worst first; drawn the other way round, worst on top
    std::vector<std::size_t> notStaked;
    std::vector<std::size_t> withoutDesign;
};

// The <svg> element; when the points lie too far apart for a double to scale them, a
// paragraph that says so.
void WritePlanSvg(const StakeoutReport& report, const ShownPoints& shown, TextOutput& out);
