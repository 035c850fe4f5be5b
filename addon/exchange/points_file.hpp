// The Total Station points file: "[Measured_Points]" and "[Design_Points]" sections of
// TAB-separated point lines with CR LF line ends.
#pragma once

#include <vector>

#include "IO/Location.hpp"
#include "exchange/point_records.hpp"

// Replaces the file as a whole (or leaves it as it was): a section for each non-empty list,
// measured first, the records in list order. True when the new file is in place.
bool WritePointsFile(const IO::Location& path, const std::vector<PointRecord>& measured,
                     const std::vector<PointRecord>& design);

// The data lines of both sets, in file order, and what the file held as a whole. A file that
// starts with a UTF-16 byte-order mark is read as narrow text in the default code page. A file
// that cannot be opened (or an empty path) yields two empty lists; content is never an error.
PointLists ReadPointsFile(const IO::Location& path);
