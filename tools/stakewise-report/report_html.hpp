// The report as one self-contained web page: the summary, a plan of the site, the pairs worst
// first, the points without a partner and the notes. No external resources.
#pragma once

#include "stakeout_report.hpp"
#include "text_output.hpp"

// A page of a million rows helps no one: the page shows this many of each list (the worst
// pairs first) and says how many more the text and the CSV file hold.
constexpr std::size_t kPageRows = 1000;

void WriteHtmlReport(const StakeoutReport& report, TextOutput& out);
