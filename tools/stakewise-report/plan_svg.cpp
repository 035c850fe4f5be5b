#include "plan_svg.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "report_numbers.hpp"

namespace {

constexpr double kDrawingWidth = 900.0;  // pixels, without the margins
constexpr double kMaxDrawingHeight = 700.0;
constexpr double kMargin = 28.0;           // room for a point's symbol and number
constexpr double kMaxReach = 150.0;        // pixels of deviation the margins make room for
constexpr double kScaleBand = 44.0;        // below the drawing: the two scale bars
constexpr double kSmallestExtent = 1.0;    // metres: a single point still gets a plan around it
constexpr double kDeviationPixels = 50.0;  // how long the reference deviation is drawn
constexpr double kMicrometresPerMetre = 1e6;

void Attribute(TextOutput& out, std::string_view name, double value) {
    out << ' ' << name << "=\"" << NumberText::Fixed(value, 1).View() << '"';
}

constexpr double kTextHeight = 9.0;  // pixels from the top of a number to its baseline

// Design points are numbered above and left, staked points without design below and right, so
// that a design point not staked and a stray staked point beside it keep readable numbers.
enum class LabelSide { kAboveLeft, kBelowRight };

// The number beside its point, clear of the symbols drawn around it.
void Label(TextOutput& out, double x, double y, double clearance, Int32 number,
           std::string_view cssClass, LabelSide side = LabelSide::kAboveLeft) {
    const bool above = side == LabelSide::kAboveLeft;
    out << "<text class=\"" << cssClass << "\" text-anchor=\"" << (above ? "end" : "start") << '"';
    Attribute(out, "x", above ? x - clearance : x + clearance);
    Attribute(out, "y", above ? y - clearance : y + clearance + kTextHeight);
    out << '>' << NumberText::Integer(number).View() << "</text>\n";
}

void Circle(TextOutput& out, double x, double y, double radius, std::string_view cssClass) {
    out << "<circle class=\"" << cssClass << '"';
    Attribute(out, "cx", x);
    Attribute(out, "cy", y);
    Attribute(out, "r", radius);
    out << "/>\n";
}

void Line(TextOutput& out, double x1, double y1, double x2, double y2, std::string_view cssClass) {
    out << "<line class=\"" << cssClass << '"';
    Attribute(out, "x1", x1);
    Attribute(out, "y1", y1);
    Attribute(out, "x2", x2);
    Attribute(out, "y2", y2);
    out << "/>\n";
}

// An enlarged deviation, held within the picture's size so that a wild one stays drawable.
double Enlarged(double micrometres, const PlanScale& scale) {
    const double pixels =
        micrometres / kMicrometresPerMetre * scale.pixelsPerMetre * scale.exaggeration;
    return std::clamp(pixels, -kDrawingWidth, kDrawingWidth);
}

void WritePair(const StakeoutReport& report, std::size_t pair, const PlanScale& scale,
               TextOutput& out) {
    const PointRecord& design = report.design.points[report.pairing.pairs[pair].design].point;
    const Deviation& deviation = report.deviations[pair];
    const char* verdict = Judge(deviation, report.tolerance).Within() ? "within" : "outside";
    const double x = scale.X(design.x);
    const double y = scale.Y(design.y);
    const double toleranceRadius = report.tolerance.horizontal / kMicrometresPerMetre *
                                   scale.pixelsPerMetre * scale.exaggeration;
    if (toleranceRadius >= 1.0) Circle(out, x, y, toleranceRadius, "tolerance");
    const double stakedX = x + Enlarged(deviation.dx, scale);
    const double stakedY = y - Enlarged(deviation.dy, scale);
    out << "<path class=\"design\" d=\"M" << NumberText::Fixed(x - 4.0, 1).View() << ' '
        << NumberText::Fixed(y, 1).View() << "h8M" << NumberText::Fixed(x, 1).View() << ' '
        << NumberText::Fixed(y - 4.0, 1).View() << "v8\"/>\n";
    Line(out, x, y, stakedX, stakedY, verdict);
    Circle(out, stakedX, stakedY, 3.0, verdict);
    Label(out, x, y, std::max(4.0, toleranceRadius * 0.7), design.number, verdict);
}

void WriteLonePoints(const std::vector<NumberedPoint>& points,
                     const std::vector<std::size_t>& indices, const PlanScale& scale, bool staked,
                     TextOutput& out) {
    for (const std::size_t index : indices) {
        const PointRecord& point = points[index].point;
        const double x = scale.X(point.x);
        const double y = scale.Y(point.y);
        if (staked) {
            out << "<rect class=\"lone\"";
            Attribute(out, "x", x - 3.0);
            Attribute(out, "y", y - 3.0);
            out << " width=\"6\" height=\"6\"/>\n";
        } else {
            Circle(out, x, y, 4.0, "open");
        }
        Label(out, x, y, 4.0, point.number, "muted",
              staked ? LabelSide::kBelowRight : LabelSide::kAboveLeft);
    }
}

constexpr double kScaleBarLeft = 40.0;

// A bar of this many pixels with its text, from the left edge at height y.
void ScaleBar(TextOutput& out, double y, double pixels, const std::string& text) {
    out << "<path class=\"bar\" d=\"M" << NumberText::Fixed(kScaleBarLeft, 1).View() << ' '
        << NumberText::Fixed(y - 4.0, 1).View() << "v4h" << NumberText::Fixed(pixels, 1).View()
        << "v-4\"/>\n<text class=\"muted\"";
    Attribute(out, "x", kScaleBarLeft + pixels + 8.0);
    Attribute(out, "y", y);
    out << '>';
    out.AppendEscaped(text);
    out << "</text>\n";
}

void WriteScaleBars(const PlanScale& scale, double deviationReference, TextOutput& out) {
    const double siteMetres = RoundNumberAtMost(kDrawingWidth / 4.0 / scale.pixelsPerMetre);
    const double top = scale.height - kScaleBand;
    ScaleBar(out, top + 14.0, siteMetres * scale.pixelsPerMetre,
             std::string(NumberText::Metres(siteMetres).View()) + " m");
    const std::string factor(NumberText::Metres(scale.exaggeration).View());
    if (deviationReference <= 0.0) {
        ScaleBar(out, top + 34.0, 0.0, "deviations drawn " + factor + " times enlarged");
        return;
    }
    ScaleBar(out, top + 34.0, deviationReference * scale.pixelsPerMetre * scale.exaggeration,
             std::string(NumberText::Metres(deviationReference * 1000.0).View()) +
                 " mm of deviation, drawn " + factor + " times enlarged");
}

void Include(PlanExtent& extent, const PointRecord& point) {
    extent.minX = std::min(extent.minX, point.x);
    extent.minY = std::min(extent.minY, point.y);
    extent.maxX = std::max(extent.maxX, point.x);
    extent.maxY = std::max(extent.maxY, point.y);
}

PlanExtent ExtentOf(const StakeoutReport& report, const ShownPoints& shown) {
    constexpr double kHuge = std::numeric_limits<double>::max();
    PlanExtent extent{kHuge, kHuge, -kHuge, -kHuge};
    for (const std::size_t pair : shown.pairs) {
        Include(extent, report.design.points[report.pairing.pairs[pair].design].point);
        Include(extent, report.staked.points[report.pairing.pairs[pair].staked].point);
    }
    for (const std::size_t index : shown.notStaked)
        Include(extent, report.design.points[index].point);
    for (const std::size_t index : shown.withoutDesign)
        Include(extent, report.staked.points[index].point);
    return extent;
}

// The longest horizontal deviation drawn, in metres.
double LargestDeviation(const StakeoutReport& report, const ShownPoints& shown) {
    double largest = 0.0;
    for (const std::size_t pair : shown.pairs)
        largest = std::max(largest, report.deviations[pair].horizontal);
    return largest / kMicrometresPerMetre;
}

// The length of deviation that the enlargement is chosen for: the horizontal tolerance, or
// without one the largest deviation drawn.
double DeviationReference(const StakeoutReport& report, const ShownPoints& shown) {
    if (report.tolerance.horizontal > 0.0)
        return report.tolerance.horizontal / kMicrometresPerMetre;
    const double largest = LargestDeviation(report, shown);
    return std::isfinite(largest) ? largest : 0.0;
}

}  // namespace

double PlanScale::X(double x) const {
    return margin + (x - minX) * pixelsPerMetre;
}

double PlanScale::Y(double y) const {
    return height - kScaleBand - margin - (y - minY) * pixelsPerMetre;
}

double RoundNumberAtMost(double value) {
    const double power = std::pow(10.0, std::floor(std::log10(value)));
    for (const double step : {5.0, 2.0}) {
        if (step * power <= value) return step * power;
    }
    return power;
}

PlanScale ScalePlan(const PlanExtent& extent, double deviationReference, double largestDeviation) {
    const double width = std::max(extent.maxX - extent.minX, kSmallestExtent);
    const double depth = std::max(extent.maxY - extent.minY, kSmallestExtent);
    PlanScale scale;
    scale.pixelsPerMetre = std::min(kDrawingWidth / width, kMaxDrawingHeight / depth);
    scale.minX = (extent.minX + extent.maxX) / 2.0 - kDrawingWidth / scale.pixelsPerMetre / 2.0;
    scale.minY = (extent.minY + extent.maxY) / 2.0 - depth / 2.0;
    const double referencePixels = deviationReference * scale.pixelsPerMetre;
    const double enlargement = kDeviationPixels / referencePixels;
    if (referencePixels > 0.0 && enlargement > 1.0 && std::isfinite(enlargement))
        scale.exaggeration = RoundNumberAtMost(enlargement);
    // kMaxReach first: an infinite or NaN reach yields the limit.
    const double reach = std::min(kMaxReach, std::max(deviationReference, largestDeviation) *
                                                 scale.pixelsPerMetre * scale.exaggeration);
    scale.margin = kMargin + reach;
    scale.width = kDrawingWidth + 2.0 * scale.margin;
    scale.height = depth * scale.pixelsPerMetre + 2.0 * scale.margin + kScaleBand;
    return scale;
}

void WritePlanSvg(const StakeoutReport& report, const ShownPoints& shown, TextOutput& out) {
    if (shown.pairs.empty() && shown.notStaked.empty() && shown.withoutDesign.empty()) {
        out << "<p>There is no point to draw.</p>\n";
        return;
    }
    const PlanExtent extent = ExtentOf(report, shown);
    if (!std::isfinite(extent.maxX - extent.minX) || !std::isfinite(extent.maxY - extent.minY)) {
        out << "<p>The points lie too far apart to be drawn.</p>\n";
        return;
    }
    const double deviationReference = DeviationReference(report, shown);
    const PlanScale scale = ScalePlan(extent, deviationReference, LargestDeviation(report, shown));
    out << "<svg xmlns=\"http://www.w3.org/2000/svg\" role=\"img\" "
           "aria-label=\"Plan of the design and staked points\"";
    Attribute(out, "width", scale.width);
    Attribute(out, "height", scale.height);
    out << ">\n";
    WriteLonePoints(report.design.points, shown.notStaked, scale, false, out);
    WriteLonePoints(report.staked.points, shown.withoutDesign, scale, true, out);
    for (auto pair = shown.pairs.rbegin(); pair != shown.pairs.rend(); ++pair)
        WritePair(report, *pair, scale, out);
    WriteScaleBars(scale, deviationReference, out);
    out << "</svg>\n";
}
