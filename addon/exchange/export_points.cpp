#include <vector>

#include "DG/Alert.hpp"
#include "exchange/points_file.hpp"
#include "exchange/points_file_dialogs.hpp"
#include "frame/commands.hpp"
#include "frame/floor_plan_guard.hpp"
#include "frame/reports.hpp"
#include "points/measure_points.hpp"

namespace {

std::vector<PointRecord> ToPointRecords(const std::vector<API_Element>& elements) {
    std::vector<PointRecord> records;
    records.reserve(elements.size());
    for (const API_Element& element : elements) {
        const API_ObjectType& object = element.object;
        records.push_back({ReadPointNumber(element), object.pos.x, object.pos.y, object.level});
    }
    return records;
}

}  // namespace

// The points are read on the floor plan, where they live: another view in front (a section, a
// layout) lists none of them.
void ExportPoints() {
    FloorPlanGuard guard;
    guard.Enter();
    const MeasurePoints points = CollectMeasurePoints();
    const std::vector<PointRecord> measured = ToPointRecords(points.measured);
    const std::vector<PointRecord> design = ToPointRecords(points.design);
    guard.Leave();
    if (measured.empty() && design.empty()) {
        DG::InformationAlert("There are no Points!", "", "OK", "", "");
        return;
    }
    const GS::UniString path = WritePointsFileDialog();
    if (path.IsEmpty()) return;  // cancelled: nothing to write, nothing to say
    if (!WritePointsFile(IO::Location(path), measured, design))
        ShowAlertText(GS::UniString("The points file \"") + path +
                      GS::UniString("\" could not be written; the points were not exported."));
}
