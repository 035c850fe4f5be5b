// The report as plain text for a terminal: the pairs in aligned columns, the points that have
// no partner, the notes, and the summary line last, where a script finds it.
#pragma once

#include "stakeout_report.hpp"
#include "text_output.hpp"

void WriteTextReport(const StakeoutReport& report, TextOutput& out);
