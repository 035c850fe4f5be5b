// A stakeout report: the design points, the points as staked, how they pair and how far each
// staked point lies from its design.
#pragma once

#include <string>
#include <vector>

#include "deviation.hpp"
#include "point_pairing.hpp"

struct StakeoutReport {
    std::string designFile;  // as the user named them
    std::string stakedFile;
    StakeoutSide design;
    StakeoutSide staked;
    Tolerance tolerance;
    Pairing pairing;
    std::vector<Deviation> deviations;  // one per pair, in the order of the pairs
    std::size_t withinCount = 0;
};

StakeoutReport MakeStakeoutReport(std::string designFile, StakeoutSide design,
                                  std::string stakedFile, StakeoutSide staked,
                                  const Tolerance& tolerance);

// "N of M staked points within tolerance; K not staked; J without design"
std::string SummaryLine(const StakeoutReport& report);

// True when every staked point is within tolerance. A number that both sides carry but one of
// them on more than one line is a staked point that cannot be judged, so it counts against.
bool AllStakedWithinTolerance(const StakeoutReport& report);

// One sentence for each kind of line of either file that the report left out or read only in
// part, and for each number on more than one line.
std::vector<std::string> ReportNotes(const StakeoutReport& report);

// The pairs, worst first: beyond tolerance before within, then by how far beyond.
std::vector<std::size_t> PairsWorstFirst(const StakeoutReport& report);
