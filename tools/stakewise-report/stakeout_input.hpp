// The two sides of a stakeout report as read from their points files: the design points of the
// first file, and the measured points of the second (or of the first, when it is the same).
#pragma once

#include <string>

#include "stakeout_points.hpp"

struct StakeoutInput {
    StakeoutSide design;
    StakeoutSide staked;
    std::string error;  // for the user, when a file cannot be read or holds no design point
};

StakeoutInput ReadStakeoutInput(const std::string& designFile, const std::string& stakedFile);
