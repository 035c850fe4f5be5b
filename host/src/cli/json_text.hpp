// Pieces of JSON text: strings with the escapes JSON needs, numbers that read back exactly.
#pragma once

#include <string>
#include <string_view>

namespace planhost {

// Appends text (UTF-8) as a JSON string, quotes included.
void AppendJsonString(std::string& out, std::string_view text);
// Appends the shortest decimal form that reads back to the same double; a value that JSON
// cannot hold (infinite, not a number) is written as null.
void AppendJsonNumber(std::string& out, double value);

}  // namespace planhost
