#include "model/parameter_records.hpp"

#include <algorithm>
#include <cstring>

namespace planhost {

// Fills the record in place (a list handle is thousands of bytes: no copy through a temporary).
void FillParameterRecord(const Parameter& parameter, std::size_t index, API_AddParType* record) {
    std::memset(record, 0, sizeof *record);
    record->typeID = parameter.type;
    record->index = Int16(index);
    std::memcpy(record->name, parameter.name.data(),
                std::min(parameter.name.size(), sizeof record->name - 1));
    if (parameter.IsText()) {
        std::size_t length = std::min<std::size_t>(parameter.text.size(), 255);
        std::memcpy(record->value.uStr, parameter.text.data(), length * sizeof(GS::uchar_t));
    } else {
        record->value.real = parameter.real;
    }
}

ParameterRecords MakeParameterRecords(const ParameterList& list) {
    ParameterRecords records(list.size());
    for (std::size_t i = 0; i < list.size(); ++i) FillParameterRecord(list[i], i, &records[i]);
    return records;
}

}  // namespace planhost
