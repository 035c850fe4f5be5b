#include "exchange/point_records.hpp"

#include <cmath>

#include "settings/number_text.hpp"

std::optional<PointRecord> ToPointRecord(const PointLine& line) {
    if (line.count < PointLine::MaxFields) return std::nullopt;
    return PointRecord{AtoI(line.fields[0]), AtoF(line.fields[1]), AtoF(line.fields[2]),
                       AtoF(line.fields[3])};
}

bool HasFiniteCoordinates(const PointRecord& point) {
    return std::isfinite(point.x) && std::isfinite(point.y) && std::isfinite(point.z);
}
