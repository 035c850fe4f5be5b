// The points of one side of a stakeout report (the design or the staked points) as the add-on's
// reader yields them, and the lines that the report could not take as they stand.
#pragma once

#include <cstddef>
#include <vector>

#include "exchange/line_issues.hpp"
#include "exchange/point_records.hpp"

// A point and the line of its file, for telling the user which one.
struct NumberedPoint {
    PointRecord point;
    std::size_t line = 0;
};

// What the lines of a side that are no plain point line became. The first two kinds are left
// out: a point made of missing or infinite values would be a guess.
struct LineNotes {
    LineIssues fewerFields;  // fewer than four fields
    LineIssues notFinite;    // a coordinate that is no finite number (inf, nan, 1e400)
    LineIssues partlyRead;   // used, with a field read as far as it is a number (P12, 12,5)
};

struct StakeoutSide {
    std::vector<NumberedPoint> points;  // in file order
    LineNotes notes;
};

// The usable points of these lines, converted as the add-on's import converts them.
StakeoutSide TakeSide(const std::vector<PointLine>& lines);
