// One object element of the floor plan as the model keeps it.
#pragma once

#include <cstdint>
#include <string>

#include "api/api_records.hpp"
#include "model/parameter.hpp"

namespace planhost {

constexpr Int16 kHostDefaultLayer = 1;      // what layer 0 asks for on creation
constexpr UInt8 kHostDefaultDrawIndex = 1;  // the lowest drawing level

struct ObjectElement {
    API_Guid guid{};
    std::int64_t order = 0;  // the host's element order: creation order, never reused
    std::string part;        // file name of its library part (UTF-8); kept when not loaded
    Int32 libInd = 0;        // index of that part in this run's libraries; 0: not loaded
    double a = 1.0;
    double b = 1.0;
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;  // elevation
    double angle = 0.0;
    Int16 floorInd = 0;
    Int16 layer = kHostDefaultLayer;
    UInt8 drawIndex = kHostDefaultDrawIndex;
    UInt64 modiStamp = 0;
    bool hasMemo = false;     // without memo: no ID text and no parameters
    std::u16string id;        // element ID text
    SharedParameters params;  // null without memo

    const ParameterList& Parameters() const;        // empty without memo
    const ParameterRecords& ApiParameters() const;  // the same, as the C API's records
};

}  // namespace planhost
