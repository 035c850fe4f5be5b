#include <string_view>
#include <vector>

#include "exchange/line_issues.hpp"
#include "exchange/points_file.hpp"
#include "exchange/points_file_dialogs.hpp"
#include "frame/commands.hpp"
#include "frame/floor_plan_guard.hpp"
#include "frame/host_api.hpp"
#include "frame/reports.hpp"
#include "points/library_object.hpp"
#include "points/place_point.hpp"

namespace {

constexpr std::string_view kIssueConsequence =
    "Lines with fewer than four fields, or with a coordinate that is no finite number (inf, nan, "
    "1e400), were skipped; a field that is not just a number was read as far as it is one (P12 "
    "as 0, 12,5 as 12).";
constexpr std::string_view kNothingPlaced = "Nothing was placed.";

bool ReadsAsWritten(const PointLine& line) {
    return IsWholeInteger(line.fields[0]) && IsWholeCoordinate(line.fields[1]) &&
           IsWholeCoordinate(line.fields[2]) && IsWholeCoordinate(line.fields[3]);
}

// Places the points of one set in file order, telling the host the progress after each point;
// a cancel ends this set only.
void PlaceSet(const std::vector<PointLine>& lines, std::string_view kind, LineIssues& issues) {
    Int32 progress = 1;
    for (const PointLine& line : lines) {
        const std::optional<PointRecord> point = ToPointRecord(line);
        if (!point || !ReadsAsWritten(line)) issues.Add(line.lineNumber);
        if (!point || !HasFiniteCoordinates(*point)) continue;
        PlacePoint(point->number, point->x, point->y, point->z, kind);
        ACAPI_Interface(APIIo_SetProcessValueID, &progress);
        if (ACAPI_Interface(APIIo_IsProcessCanceledID) != NoError) break;
        ++progress;
    }
}

}  // namespace

void ImportPoints() {
    const LibraryObject object = ReadLibraryObject();
    if (!FindLibraryPart(object.fileName)) {
        ShowAlert("Object is not loaded.");
        return;
    }
    const GS::UniString path = ReadPointsFileDialog();
    const PointLists lists = ReadPointsFile(IO::Location(path));
    FloorPlanGuard guard;
    guard.Enter();
    LineIssues issues;
    PlaceSet(lists.measured, "M", issues);
    PlaceSet(lists.design, "D", issues);
    ACAPI_Interface(APIIo_CloseProcessWindowID);
    guard.Leave();
    issues.Report(kIssueConsequence);
    if (lists.measured.empty() && lists.design.empty())
        ReportNoPointLines(path, lists.text, kNothingPlaced);
}
