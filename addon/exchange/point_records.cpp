#include "exchange/point_records.hpp"

#include "settings/number_text.hpp"

std::optional<PointRecord> ToPointRecord(const PointLine& line) {
    if (line.count < PointLine::MaxFields) return std::nullopt;
    return PointRecord{AtoI(line.fields[0]), AtoF(line.fields[1]), AtoF(line.fields[2]),
                       AtoF(line.fields[3])};
}
