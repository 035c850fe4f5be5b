#include "stakeout_points.hpp"

#include <algorithm>

namespace {

bool IsReadWhole(const PointLine& line) {
    return IsWholeInteger(line.fields[0]) &&
           std::all_of(line.fields.begin() + 1, line.fields.end(),
                       [](const std::string& field) { return IsWholeCoordinate(field); });
}

}  // namespace

StakeoutSide TakeSide(const std::vector<PointLine>& lines) {
    StakeoutSide side;
    side.points.reserve(lines.size());
    for (const PointLine& line : lines) {
        const std::optional<PointRecord> point = ToPointRecord(line);
        if (!point) {
            side.notes.fewerFields.Add(line.lineNumber);
        } else if (!HasFiniteCoordinates(*point)) {
            side.notes.notFinite.Add(line.lineNumber);
        } else {
            if (!IsReadWhole(line)) side.notes.partlyRead.Add(line.lineNumber);
            side.points.push_back({*point, line.lineNumber});
        }
    }
    return side;
}
