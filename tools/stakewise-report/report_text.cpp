#include "report_text.hpp"

#include <algorithm>
#include <array>
#include <limits>

#include "report_numbers.hpp"

namespace {

constexpr std::size_t kGap = 2;
constexpr std::array<std::string_view, 4> kDeviationTitles = {"dx mm", "dy mm", "dz mm", "dh mm"};

std::array<double, 4> Columns(const Deviation& deviation) {
    return {deviation.dx, deviation.dy, deviation.dz, deviation.horizontal};
}

// The smallest and the largest value of a column: the longest texts among its values are
// theirs, as a larger magnitude never has a shorter text.
struct ColumnRange {
    double low = std::numeric_limits<double>::max();
    double high = std::numeric_limits<double>::lowest();

    void Add(double value) {
        low = std::min(low, value);
        high = std::max(high, value);
    }
    std::size_t Width(std::string_view title) const {
        return std::max({title.size(), NumberText::Millimetres(low).View().size(),
                         NumberText::Millimetres(high).View().size()});
    }
};

void WriteHeading(TextOutput& out, std::string_view title, std::size_t count) {
    out << '\n' << title << " (" << NumberText::Integer((long long)count).View() << ")\n";
}

void WritePairs(const StakeoutReport& report, TextOutput& out) {
    const auto number = [&](std::size_t pair) {
        return report.design.points[report.pairing.pairs[pair].design].point.number;
    };
    std::size_t numberWidth = std::string_view("number").size();
    std::array<ColumnRange, 4> ranges;
    for (std::size_t i = 0; i < report.deviations.size(); ++i) {
        numberWidth = std::max(numberWidth, NumberText::Integer(number(i)).View().size());
        const std::array<double, 4> values = Columns(report.deviations[i]);
        for (std::size_t c = 0; c < ranges.size(); ++c) ranges[c].Add(values[c]);
    }
    std::array<std::size_t, 4> widths{};
    for (std::size_t c = 0; c < widths.size(); ++c)
        widths[c] = kGap + ranges[c].Width(kDeviationTitles[c]);

    WriteHeading(out, "Staked points", report.deviations.size());
    out.AppendRight("number", numberWidth);
    for (std::size_t c = 0; c < widths.size(); ++c) out.AppendRight(kDeviationTitles[c], widths[c]);
    out << "  verdict\n";
    for (std::size_t i = 0; i < report.deviations.size(); ++i) {
        out.AppendRight(NumberText::Integer(number(i)).View(), numberWidth);
        const std::array<double, 4> values = Columns(report.deviations[i]);
        for (std::size_t c = 0; c < widths.size(); ++c)
            out.AppendRight(NumberText::Millimetres(values[c]).View(), widths[c]);
        out << "  " << VerdictText(Judge(report.deviations[i], report.tolerance)) << '\n';
    }
}

std::array<NumberText, 4> PositionTexts(const PointRecord& point) {
    return {NumberText::Integer(point.number), NumberText::Metres(point.x),
            NumberText::Metres(point.y), NumberText::Metres(point.z)};
}

// Points without a partner: number and position in metres. Their texts are measured first, as
// a coordinate's text has no length that its value tells.
void WriteUnpaired(std::string_view title, const std::vector<NumberedPoint>& points,
                   const std::vector<std::size_t>& indices, TextOutput& out) {
    if (indices.empty()) return;
    constexpr std::array<std::string_view, 4> kTitles = {"number", "x m", "y m", "z m"};
    std::array<std::size_t, 4> widths{};
    for (std::size_t c = 0; c < widths.size(); ++c) widths[c] = kTitles[c].size();
    for (const std::size_t index : indices) {
        const std::array<NumberText, 4> texts = PositionTexts(points[index].point);
        for (std::size_t c = 0; c < widths.size(); ++c)
            widths[c] = std::max(widths[c], texts[c].View().size());
    }
    WriteHeading(out, title, indices.size());
    for (std::size_t c = 0; c < widths.size(); ++c)
        out.AppendRight(kTitles[c], widths[c] + (c == 0 ? 0 : kGap));
    out << '\n';
    for (const std::size_t index : indices) {
        const std::array<NumberText, 4> texts = PositionTexts(points[index].point);
        for (std::size_t c = 0; c < widths.size(); ++c)
            out.AppendRight(texts[c].View(), widths[c] + (c == 0 ? 0 : kGap));
        out << '\n';
    }
}

}  // namespace

void WriteTextReport(const StakeoutReport& report, TextOutput& out) {
    out << "Stakeout report\ndesign points: " << report.designFile
        << "\nstaked points: " << report.stakedFile << "\ntolerance:     horizontal "
        << NumberText::Metres(report.tolerance.horizontal / 1000.0).View() << " mm, vertical "
        << NumberText::Metres(report.tolerance.vertical / 1000.0).View() << " mm\n";
    if (!report.deviations.empty()) WritePairs(report, out);
    WriteUnpaired("Design points not staked", report.design.points, report.pairing.notStaked, out);
    WriteUnpaired("Staked points without design", report.staked.points,
                  report.pairing.withoutDesign, out);
    const std::vector<std::string> notes = ReportNotes(report);
    if (!notes.empty()) WriteHeading(out, "Notes", notes.size());
    for (const std::string& note : notes) out << "  " << note << '\n';
    out << '\n' << SummaryLine(report) << '\n';
}
