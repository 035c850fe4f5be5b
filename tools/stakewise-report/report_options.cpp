#include "report_options.hpp"

#include "exchange/line_issues.hpp"
#include "settings/number_text.hpp"

const std::string_view kReportUsage =
    "usage: stakewise-report [--tolerance-h METRES] [--tolerance-v METRES] [--csv FILE]\n"
    "                        [--html FILE] DESIGN.txt [MEASURED.txt]\n"
    "Pairs the design points of DESIGN.txt with the measured points of MEASURED.txt (or of\n"
    "DESIGN.txt itself) by number and tells how far each staked point lies from its design.\n"
    "  --tolerance-h METRES  horizontal tolerance (default 0.010)\n"
    "  --tolerance-v METRES  vertical tolerance (default 0.010)\n"
    "  --csv FILE            also write one row per pair for a spreadsheet\n"
    "  --html FILE           also write the report as a web page with a plan of the site\n"
    "Exit status: 0 every staked point within tolerance, 1 some not, 2 usage or unreadable "
    "input.\n";

namespace {

constexpr double kDefaultToleranceMetres = 0.010;

// A length in metres, as a points file writes one; a tolerance is never negative.
bool ParseTolerance(std::string_view text, double* micrometres) {
    if (!IsWholeCoordinate(text)) return false;
    const double metres = AtoF(text);
    if (metres < 0.0) return false;
    *micrometres = ToMicrometres(metres);
    return true;
}

bool TakeOption(std::string_view name, std::string_view value, ReportOptions& options,
                std::string& error) {
    if (name == "--csv" || name == "--html") {
        (name == "--csv" ? options.csvFile : options.htmlFile) = value;
        return true;
    }
    double* tolerance =
        name == "--tolerance-h" ? &options.tolerance.horizontal : &options.tolerance.vertical;
    if (ParseTolerance(value, tolerance)) return true;
    error = std::string(name) + " wants a length in metres, such as 0.010, not \"" +
            std::string(value) + "\"";
    return false;
}

bool TakesValue(std::string_view argument) {
    return argument == "--csv" || argument == "--html" || argument == "--tolerance-h" ||
           argument == "--tolerance-v";
}

}  // namespace

ParsedOptions ParseReportOptions(const std::vector<std::string_view>& arguments) {
    ParsedOptions parsed;
    ReportOptions& options = parsed.options;
    options.tolerance = {ToMicrometres(kDefaultToleranceMetres),
                         ToMicrometres(kDefaultToleranceMetres)};
    std::vector<std::string_view> files;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            options.help = true;
            return parsed;
        }
        if (TakesValue(argument)) {
            if (i + 1 == arguments.size()) {
                parsed.error = std::string(argument) + " wants a value";
                return parsed;
            }
            if (!TakeOption(argument, arguments[++i], options, parsed.error)) return parsed;
        } else if (argument.size() > 1 && argument.front() == '-') {
            parsed.error = "unknown option " + std::string(argument);
            return parsed;
        } else {
            files.push_back(argument);
        }
    }
    if (files.empty() || files.size() > 2) {
        parsed.error = files.empty() ? "which points file holds the design points?"
                                     : "one or two points files, please";
        return parsed;
    }
    options.designFile = files.front();
    options.stakedFile = files.back();
    return parsed;
}
