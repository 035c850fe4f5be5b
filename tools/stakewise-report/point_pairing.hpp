// Pairs each design point with the staked point of the same number.
#pragma once

#include <cstddef>
#include <vector>

#include "stakeout_points.hpp"

// Indices into the design and the staked points.
struct PointPair {
    std::size_t design = 0;
    std::size_t staked = 0;
};

// A number on more than one line of a side pairs nothing: which of its points was meant cannot
// be told. The lines of both sides that carry it are kept for the report.
struct DuplicateNumber {
    Int32 number = 0;
    LineIssues designLines;
    LineIssues stakedLines;
};

struct Pairing {
    std::vector<PointPair> pairs;             // in the order of the design points
    std::vector<std::size_t> notStaked;       // design points, in their order
    std::vector<std::size_t> withoutDesign;   // staked points, in their order
    std::vector<DuplicateNumber> duplicates;  // by number, ascending
};

Pairing PairByNumber(const std::vector<NumberedPoint>& design,
                     const std::vector<NumberedPoint>& staked);
