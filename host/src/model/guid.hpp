// Element identifiers: new random GUIDs, their text form and hashing for the element index.
#pragma once

#include <cstddef>
#include <string>

#include "api/api_records.hpp"

namespace planhost {

// A new random (version 4) GUID; never the zero GUID.
API_Guid NewGuid();
bool IsZeroGuid(const API_Guid& guid);

// "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX", upper-case hexadecimal.
std::string GuidToString(const API_Guid& guid);

struct GuidHash {
    std::size_t operator()(const API_Guid& guid) const noexcept;
};

}  // namespace planhost
