#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "exchange/line_issues.hpp"
#include "exchange/points_file_dialogs.hpp"
#include "exchange/points_file_headers.hpp"
#include "frame/commands.hpp"
#include "frame/floor_plan_guard.hpp"
#include "frame/host_api.hpp"
#include "frame/reports.hpp"
#include "frame/zero_filled.hpp"
#include "points/measure_points.hpp"
#include "points/place_point.hpp"
#include "points/symbol_size.hpp"
#include "settings/number_text.hpp"
#include "settings/text_conversions.hpp"
#include "settings/text_line_reader.hpp"

namespace {

constexpr std::string_view kIssueConsequence =
    "A line with fewer than four fields kept the missing coordinates of the line before it; a "
    "line with a coordinate that is no finite number (inf, nan, 1e400) moved and placed nothing; "
    "a field that is not just a number was read as far as it is one (P12 as 0, 12,5 as 12).";
constexpr std::string_view kNothingChanged = "No point was moved or placed.";
// A file that another program holds open for a moment may be readable at the second attempt.
constexpr int kOpenAttempts = 2;

// A data line as this command reads it: fields cut at TABs and kept as they stand, untrimmed.
struct DataLine {
    static constexpr std::size_t kMaxFields = 4;  // name, x, y, z; further fields are ignored
    std::array<std::string_view, kMaxFields> fields;
    std::size_t count = 0;
};

DataLine SplitDataLine(std::string_view line) {
    DataLine data;
    std::size_t start = 0;
    while (data.count < DataLine::kMaxFields) {
        const std::size_t tab = line.find('\t', start);
        data.fields[data.count++] = line.substr(start, tab - start);
        if (tab == std::string_view::npos || tab + 1 == line.size()) break;
        start = tab + 1;
    }
    return data;
}

bool IsFinite(const API_Coord3D& position) {
    return std::isfinite(position.x) && std::isfinite(position.y) && std::isfinite(position.z);
}

bool IsHeaderLine(std::string_view line) {
    return line.find(MeasuredPointsHeader) != std::string_view::npos ||
           line.find(DesignPointsHeader) != std::string_view::npos;
}

// The measured points' positions in their list, by the decimal text of each point's number,
// so that a file line finds every point that carries its number without walking the list.
using NumberIndex = std::unordered_map<std::u16string, std::vector<std::size_t>>;

NumberIndex IndexByNumber(const std::vector<API_Element>& points) {
    NumberIndex index;
    for (std::size_t i = 0; i < points.size(); ++i)
        index[IntToText(ReadPointNumber(points[i])).Text()].push_back(i);
    return index;
}

// Moves a listed point from its record as listed; nothing but position, elevation and size
// changes.
void MovePoint(API_Element point, const API_Coord3D& position, double size) {
    point.object.pos = {position.x, position.y};
    point.object.level = position.z;
    point.object.xRatio = size;
    point.object.yRatio = size;
    auto mask = ZeroFilled<API_Element>();
    ACAPI_ELEMENT_MASK_SET(mask, API_ObjectType, pos.x);
    ACAPI_ELEMENT_MASK_SET(mask, API_ObjectType, pos.y);
    ACAPI_ELEMENT_MASK_SET(mask, API_ObjectType, level);
    ACAPI_ELEMENT_MASK_SET(mask, API_ObjectType, xRatio);
    ACAPI_ELEMENT_MASK_SET(mask, API_ObjectType, yRatio);
    ACAPI_Element_Change(&point, &mask, nullptr, 0, true);
}

// Brings the listed measured points up to date with the file's data lines, one line at a time.
class PointsFileUpdate {
public:
    explicit PointsFileUpdate(const std::vector<API_Element>& points) : points_(points) {}

    void Apply(std::string_view line, std::size_t lineNumber) {
        hadDataLines_ = true;
        const DataLine data = SplitDataLine(line);
        const bool complete = TakeCoordinates(data);
        // The host would refuse such a position, or keep it and lose the point from sight.
        if (!IsFinite(position_)) {
            issues_.Add(lineNumber);
            return;
        }
        const double size = ReadSymbolSize();
        const GS::UniString name = FromNarrowText(data.fields[0]);
        if (!index_) index_ = IndexByNumber(points_);
        const auto match = index_->find(name.Text());
        if (match != index_->end()) {
            for (const std::size_t i : match->second) MovePoint(points_[i], position_, size);
        } else {
            PlacePoint(AtoI(ToNarrowText(name)), position_.x, position_.y, position_.z, "M");
        }
        const bool nameRead = match != index_->end() || IsWholeInteger(data.fields[0]);
        if (!complete || !nameRead) issues_.Add(lineNumber);
    }

    const LineIssues& issues() const { return issues_; }
    bool HadDataLines() const { return hadDataLines_; }

private:
    // Sets the coordinates that the line has fields for; the others keep the previous line's
    // values (0 before the first). True when the line held all three as plain numbers.
    bool TakeCoordinates(const DataLine& data) {
        double* coordinates[] = {&position_.x, &position_.y, &position_.z};
        bool complete = data.count == DataLine::kMaxFields;
        for (std::size_t field = 1; field < data.count; ++field) {
            *coordinates[field - 1] = AtoF(data.fields[field]);
            complete = complete && IsWholeCoordinate(data.fields[field]);
        }
        return complete;
    }

    const std::vector<API_Element>& points_;
    std::optional<NumberIndex> index_;  // built at the first data line
    API_Coord3D position_{0.0, 0.0, 0.0};
    LineIssues issues_;
    bool hadDataLines_ = false;
};

}  // namespace

// The whole run works on the floor plan, where the points live: another view in front (a
// section, a layout) would list none of them.
void UpdatePoints() {
    FloorPlanGuard guard;
    guard.Enter();
    const std::vector<API_Element> points = CollectMeasurePoints().measured;
    if (points.empty()) {
        guard.Leave();
        ShowAlert("There are no measure points to update.");
        return;
    }
    const GS::UniString path = ReadPointsFileDialog();
    TextLineReader reader(IO::Location(path), TextDecoding::Utf16WhenMarked, kOpenAttempts);
    PointsFileUpdate update(points);
    std::string_view line;
    for (std::size_t lineNumber = 1; reader.Next(&line); ++lineNumber) {
        if (!line.empty() && !IsHeaderLine(line)) update.Apply(line, lineNumber);
    }
    guard.Leave();
    update.issues().Report(kIssueConsequence);
    if (!update.HadDataLines()) ReportNoPointLines(path, reader.Summary(), kNothingChanged);
}
