// The points exchanged with a Total Station, as records and as the lines of a points file.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "api/api_base.hpp"
#include "settings/text_line_reader.hpp"

// One point as exchanged; coordinates in metres, the model's own values.
struct PointRecord {
    Int32 number = 0;
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

// One data line as read: its first fields, at most four, trimmed of blanks, as bytes.
struct PointLine {
    static constexpr std::size_t MaxFields = 4;
    std::array<std::string, MaxFields> fields;
    std::size_t count = 0;       // fields in use, 1 to 4
    std::size_t lineNumber = 0;  // 1-based line of the file, for telling the user which one

    friend bool operator==(const PointLine&, const PointLine&) = default;
};

// What reading a points file yields: the lines of each set, in file order.
struct PointLists {
    std::vector<PointLine> measured;
    std::vector<PointLine> design;
    TextSummary text;  // what the file held as a whole
};

// Number by atoi and x, y, z by atof (classic C rules) from a line of four fields; nothing for
// a shorter line, whose missing fields must not become a point.
std::optional<PointRecord> ToPointRecord(const PointLine& line);

// An infinite or not-a-number coordinate (atof reads "inf", "nan", "1e400" so) is no position
// that a point may be given.
bool HasFiniteCoordinates(const PointRecord& point);
