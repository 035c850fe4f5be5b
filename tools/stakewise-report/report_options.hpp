// The command line of stakewise-report.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "deviation.hpp"

extern const std::string_view kReportUsage;

struct ReportOptions {
    std::string designFile;
    std::string stakedFile;  // the design file itself when only one file is named
    std::string csvFile;     // empty: no CSV file
    std::string htmlFile;    // empty: no page
    Tolerance tolerance;
    bool help = false;
};

// The options, or in `error` what is wrong with them.
struct ParsedOptions {
    ReportOptions options;
    std::string error;
};

ParsedOptions ParseReportOptions(const std::vector<std::string_view>& arguments);
