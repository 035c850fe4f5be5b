#include "report_html.hpp"

#include <algorithm>
#include <string>

#include "plan_svg.hpp"
#include "report_numbers.hpp"

namespace {

constexpr std::string_view kHead = R"(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>Stakeout report</title>
<style>
body { font-family: sans-serif; margin: 24px; color: #222; }
.summary { font-size: 1.25em; font-weight: bold; }
table { border-collapse: collapse; font-variant-numeric: tabular-nums; margin-bottom: 1em; }
th, td { padding: 2px 10px; text-align: right; border-bottom: 1px solid #ddd; }
th { background: #f0f0f0; }
tr.outside td { color: #b00000; font-weight: bold; }
svg { border: 1px solid #ccc; background: #fff; }
svg text { font-size: 11px; fill: #222; }
svg .tolerance { fill: none; stroke: #999; stroke-dasharray: 3 3; }
svg .design, svg .bar { fill: none; stroke: #222; stroke-width: 1.5; }
svg line.within, svg line.outside { stroke-width: 1.5; }
svg .within { stroke: #1a7f37; fill: #1a7f37; }
svg .outside { stroke: #c00000; fill: #c00000; }
svg text.within { stroke: none; }
svg text.outside { stroke: none; font-weight: bold; }
svg .open { fill: none; stroke: #888; }
svg .lone { fill: #888; }
svg text.muted { fill: #666; }
</style>
</head>
<body>
<h1>Stakeout report</h1>
)";

constexpr std::string_view kLegend =
    "<p>Each design point is a cross, its staked point a dot at the end of the deviation, drawn "
    "enlarged; the dashed circle is the horizontal tolerance at the same enlargement. Green: "
    "within tolerance; red: outside. A ring is a design point not staked, a square a staked "
    "point without design.</p>\n";

std::size_t Shown(std::size_t count) {
    return std::min(count, kPageRows);
}

std::vector<std::size_t> FirstShown(const std::vector<std::size_t>& indices) {
    return {indices.begin(), indices.begin() + std::ptrdiff_t(Shown(indices.size()))};
}

void Cell(TextOutput& out, std::string_view text) {
    out << "<td>" << text << "</td>";
}

void HeaderRow(TextOutput& out, std::initializer_list<std::string_view> titles) {
    out << "<table>\n<thead><tr>";
    for (const std::string_view title : titles) out << "<th>" << title << "</th>";
    out << "</tr></thead>\n<tbody>\n";
}

// Says so when a list is longer than the page shows.
void ShownOf(TextOutput& out, std::size_t count) {
    if (count <= kPageRows) return;
    out << "<p>The first " << NumberText::Integer((long long)kPageRows).View() << " of "
        << NumberText::Integer((long long)count).View()
        << "; the text report and the CSV file hold them all.</p>\n";
}

void WriteFacts(const StakeoutReport& report, TextOutput& out) {
    out << "<p>Design points: <code>";
    out.AppendEscaped(report.designFile);
    out << "</code><br>\nStaked points: <code>";
    out.AppendEscaped(report.stakedFile);
    out << "</code><br>\nTolerance: horizontal "
        << NumberText::Metres(report.tolerance.horizontal / 1000.0).View() << " mm, vertical "
        << NumberText::Metres(report.tolerance.vertical / 1000.0).View() << " mm</p>\n"
        << "<p class=\"summary\">" << SummaryLine(report) << "</p>\n";
}

void WritePairs(const StakeoutReport& report, const std::vector<std::size_t>& worstFirst,
                TextOutput& out) {
    out << "<h2>Staked points, worst first</h2>\n";
    ShownOf(out, report.pairing.pairs.size());
    HeaderRow(out, {"number", "dx mm", "dy mm", "dz mm", "dh mm", "verdict"});
    for (const std::size_t pair : worstFirst) {
        const Deviation& deviation = report.deviations[pair];
        const Verdict verdict = Judge(deviation, report.tolerance);
        out << (verdict.Within() ? "<tr>" : "<tr class=\"outside\">");
        Cell(out, NumberText::Integer(
                      report.design.points[report.pairing.pairs[pair].design].point.number)
                      .View());
        for (const double value : {deviation.dx, deviation.dy, deviation.dz, deviation.horizontal})
            Cell(out, NumberText::Millimetres(value).View());
        Cell(out, VerdictText(verdict));
        out << "</tr>\n";
    }
    out << "</tbody>\n</table>\n";
}

void WriteUnpaired(std::string_view title, const std::vector<NumberedPoint>& points,
                   const std::vector<std::size_t>& all, const std::vector<std::size_t>& shown,
                   TextOutput& out) {
    if (all.empty()) return;
    out << "<h2>" << title << "</h2>\n";
    ShownOf(out, all.size());
    HeaderRow(out, {"number", "x m", "y m", "z m"});
    for (const std::size_t index : shown) {
        const PointRecord& point = points[index].point;
        out << "<tr>";
        Cell(out, NumberText::Integer(point.number).View());
        for (const double value : {point.x, point.y, point.z})
            Cell(out, NumberText::Metres(value).View());
        out << "</tr>\n";
    }
    out << "</tbody>\n</table>\n";
}

void WriteNotes(const StakeoutReport& report, TextOutput& out) {
    const std::vector<std::string> notes = ReportNotes(report);
    if (notes.empty()) return;
    out << "<h2>Notes</h2>\n";
    ShownOf(out, notes.size());
    out << "<ul>\n";
    for (std::size_t i = 0; i < Shown(notes.size()); ++i) {
        out << "<li>";
        out.AppendEscaped(notes[i]);
        out << "</li>\n";
    }
    out << "</ul>\n";
}

}  // namespace

void WriteHtmlReport(const StakeoutReport& report, TextOutput& out) {
    std::vector<std::size_t> worstFirst = PairsWorstFirst(report);
    worstFirst.resize(Shown(worstFirst.size()));
    const ShownPoints shown{worstFirst, FirstShown(report.pairing.notStaked),
                            FirstShown(report.pairing.withoutDesign)};
    out << kHead;
    WriteFacts(report, out);
    out << "<h2>Plan</h2>\n";
    WritePlanSvg(report, shown, out);
    out << kLegend;
    if (!report.pairing.pairs.empty()) WritePairs(report, worstFirst, out);
    WriteUnpaired("Design points not staked", report.design.points, report.pairing.notStaked,
                  shown.notStaked, out);
    WriteUnpaired("Staked points without design", report.staked.points,
                  report.pairing.withoutDesign, shown.withoutDesign, out);
    WriteNotes(report, out);
    out << "</body>\n</html>\n";
}
