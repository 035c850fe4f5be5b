#include "stakeout_report.hpp"

#include <algorithm>
#include <numeric>
#include <utility>

namespace {

void AddLineNotes(std::vector<std::string>& notes, const std::string& file,
                  const LineNotes& lines) {
    const auto add = [&](const LineIssues& issues, const char* what) {
        if (issues.IsEmpty()) return;
        notes.push_back(file + ": " + std::to_string(issues.Count()) +
                        (issues.Count() == 1 ? " line with " : " lines with ") + what + " (" +
                        issues.Named() + ")");
    };
    add(lines.fewerFields, "fewer than four fields, left out");
    add(lines.notFinite, "a coordinate that is no finite number, left out");
    add(lines.partlyRead, "a field that is not just a number, read as far as it is one");
}

std::string DuplicateNote(const DuplicateNumber& duplicate) {
    std::string note =
        "number " + std::to_string(duplicate.number) + " stands on more than one line";
    if (!duplicate.designLines.IsEmpty()) note += ", design " + duplicate.designLines.Named();
    if (!duplicate.stakedLines.IsEmpty()) note += ", staked " + duplicate.stakedLines.Named();
    return note + ": not paired";
}

}  // namespace

StakeoutReport MakeStakeoutReport(std::string designFile, StakeoutSide design,
                                  std::string stakedFile, StakeoutSide staked,
                                  const Tolerance& tolerance) {
    StakeoutReport report;
    report.designFile = std::move(designFile);
    report.stakedFile = std::move(stakedFile);
    report.design = std::move(design);
    report.staked = std::move(staked);
    report.tolerance = tolerance;
    report.pairing = PairByNumber(report.design.points, report.staked.points);
    report.deviations.reserve(report.pairing.pairs.size());
    for (const PointPair& pair : report.pairing.pairs) {
        report.deviations.push_back(MeasureDeviation(report.design.points[pair.design].point,
                                                     report.staked.points[pair.staked].point));
        if (Judge(report.deviations.back(), tolerance).Within()) ++report.withinCount;
    }
    return report;
}

std::string SummaryLine(const StakeoutReport& report) {
    return std::to_string(report.withinCount) + " of " +
           std::to_string(report.pairing.pairs.size()) + " staked points within tolerance; " +
           std::to_string(report.pairing.notStaked.size()) + " not staked; " +
           std::to_string(report.pairing.withoutDesign.size()) + " without design";
}

bool AllStakedWithinTolerance(const StakeoutReport& report) {
    const auto ambiguous = [](const DuplicateNumber& duplicate) {
        return !duplicate.designLines.IsEmpty() && !duplicate.stakedLines.IsEmpty();
    };
    return report.withinCount == report.pairing.pairs.size() &&
           std::none_of(report.pairing.duplicates.begin(), report.pairing.duplicates.end(),
                        ambiguous);
}

std::vector<std::string> ReportNotes(const StakeoutReport& report) {
    std::vector<std::string> notes;
    AddLineNotes(notes, report.designFile, report.design.notes);
    AddLineNotes(notes, report.stakedFile, report.staked.notes);
    for (const DuplicateNumber& duplicate : report.pairing.duplicates)
        notes.push_back(DuplicateNote(duplicate));
    return notes;
}

std::vector<std::size_t> PairsWorstFirst(const StakeoutReport& report) {
    std::vector<std::pair<bool, double>> keys;  // (within, severity) of each pair
    keys.reserve(report.deviations.size());
    for (const Deviation& deviation : report.deviations)
        keys.emplace_back(Judge(deviation, report.tolerance).Within(),
                          Severity(deviation, report.tolerance));
    std::vector<std::size_t> order(keys.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        if (keys[a].first != keys[b].first) return !keys[a].first;
        return keys[a].second > keys[b].second;
    });
    return order;
}
