// The pairs for a spreadsheet: one row each, in the order of the design points, the
// coordinates in metres and the deviations in millimetres, '.' as the decimal point, CR LF
// line ends.
#pragma once

#include "stakeout_report.hpp"
#include "text_output.hpp"

void WriteCsvReport(const StakeoutReport& report, TextOutput& out);
