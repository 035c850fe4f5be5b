// stakewise-report [--tolerance-h M] [--tolerance-v M] [--csv FILE] [--html FILE] DESIGN [MEASURED]
// How far each staked point lies from its design point: a table on standard output, and on
// request a CSV file and a web page. The exit status gates a script.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "IO/CommandLine.hpp"
#include "IO/FileSystem.hpp"
#include "report_csv.hpp"
#include "report_html.hpp"
#include "report_options.hpp"
#include "report_text.hpp"
#include "stakeout_input.hpp"

namespace {

constexpr int kAllWithin = 0;
constexpr int kSomeOutside = 1;
constexpr int kUsage = 2;  // also unreadable input, and a report that could not be written

int Fail(const std::string& message) {
    std::fprintf(stderr, "stakewise-report: %s\n", message.c_str());
    return kUsage;
}

bool WriteStandardOutput(const StakeoutReport& report) {
    TextOutput out([](std::string_view block) {
        return std::fwrite(block.data(), 1, block.size(), stdout) == block.size();
    });
    WriteTextReport(report, out);
    return out.Finish() && std::fflush(stdout) == 0;
}

// Replaces the file as a whole, or leaves it as it was.
template <typename Writer>
bool WriteReportFile(const std::string& file, const StakeoutReport& report, Writer write) {
    IO::SafeFile safe(IO::Location(GS::UniString(file.c_str(), GS::CC_UTF8)));
    if (safe.Open() != NoError) return false;
    TextOutput out([&safe](std::string_view block) {
        return safe.WriteBin(block.data(), GS::USize(block.size())) == NoError;
    });
    write(report, out);
    return out.Finish() && safe.Commit() == NoError;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments = IO::CommandLineArguments(argc, argv);
    const ParsedOptions parsed =
        ParseReportOptions(std::vector<std::string_view>(arguments.begin() + 1, arguments.end()));
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "stakewise-report: %s\n%.*s", parsed.error.c_str(),
                     int(kReportUsage.size()), kReportUsage.data());
        return kUsage;
    }
    const ReportOptions& options = parsed.options;
    if (options.help) {
        std::fwrite(kReportUsage.data(), 1, kReportUsage.size(), stdout);
        return kAllWithin;
    }
    StakeoutInput input = ReadStakeoutInput(options.designFile, options.stakedFile);
    if (!input.error.empty()) return Fail(input.error);
    const StakeoutReport report =
        MakeStakeoutReport(options.designFile, std::move(input.design), options.stakedFile,
                           std::move(input.staked), options.tolerance);
    if (!WriteStandardOutput(report)) return Fail("cannot write the report to standard output");
    if (!options.csvFile.empty() && !WriteReportFile(options.csvFile, report, WriteCsvReport))
        return Fail("cannot write " + options.csvFile);
    if (!options.htmlFile.empty() && !WriteReportFile(options.htmlFile, report, WriteHtmlReport))
        return Fail("cannot write " + options.htmlFile);
    return AllStakedWithinTolerance(report) ? kAllWithin : kSomeOutside;
}
