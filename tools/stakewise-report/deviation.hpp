// How far a staked point lies from its design point, judged against the site's tolerances.
//
// Tolerances and deviations are whole micrometres, the finest step a points file writes, so
// that a deviation of exactly the tolerance compares as equal to it instead of by the noise of
// subtracting two coordinates in binary.
#pragma once

#include "exchange/point_records.hpp"

// Metres as whole micrometres (never -0).
double ToMicrometres(double metres);

struct Tolerance {
    double horizontal = 0.0;  // micrometres
    double vertical = 0.0;    // micrometres
};

// Staked minus design, in micrometres; infinite when the difference is beyond a double.
struct Deviation {
    double dx = 0.0;
    double dy = 0.0;
    double dz = 0.0;
    double horizontal = 0.0;  // the distance in plan
};

Deviation MeasureDeviation(const PointRecord& design, const PointRecord& staked);

// Exactly at the tolerance is within.
struct Verdict {
    bool horizontalWithin = true;
    bool verticalWithin = true;

    bool Within() const { return horizontalWithin && verticalWithin; }
};

Verdict Judge(const Deviation& deviation, const Tolerance& tolerance);

// "within", "outside H", "outside V" or "outside H+V".
const char* VerdictText(const Verdict& verdict);

// How far the deviation reaches into or beyond its tolerance, the larger of the horizontal and
// the vertical share (1 at the tolerance); orders the pairs worst first.
double Severity(const Deviation& deviation, const Tolerance& tolerance);
