// The parameters of a library part or of a placed object. A placed object's list is shared
// (interned) between all objects whose lists are equal, so that a million measure points cost
// a handful of lists, not a million.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "api/api_records.hpp"

namespace planhost {

struct Parameter {
    std::string name;  // ASCII, at most 31 characters
    API_AddParID type = APIParT_RealNum;
    double real = 0.0;    // numbers, lengths, booleans
    std::u16string text;  // APIParT_CString: at most 255 characters

    bool IsText() const { return type == APIParT_CString; }
    friend bool operator==(const Parameter& a, const Parameter& b);
};

using ParameterList = std::vector<Parameter>;
// A parameter list as the C API hands it out: one 560-byte record per parameter.
using ParameterRecords = std::vector<API_AddParType>;

// One interned list. id is its key in the project file; 0 until the pool gives it one. A shared
// list never changes, so it keeps the C API's records of it ready for every memo read.
struct SharedParameterList {
    std::int64_t id = 0;
    ParameterList list;
    ParameterRecords records;  // the same list as the C API hands it out
};
using SharedParameters = std::shared_ptr<const SharedParameterList>;

// The first parameter of that name, or null.
const Parameter* FindParameter(const ParameterList& list, std::string_view name);
Parameter* FindParameter(ParameterList& list, std::string_view name);

// Binary form of a list for the project file.
std::string EncodeParameters(const ParameterList& list);
// False when the bytes are not a list written by EncodeParameters.
bool DecodeParameters(std::string_view bytes, ParameterList* list);

}  // namespace planhost
