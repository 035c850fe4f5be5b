// A fault in a resource source, reported as "FILE:LINE: error: message" (no line: the file).
#pragma once

#include <stdexcept>
#include <string>

namespace rescomp {

class SourceError : public std::runtime_error {
public:
    SourceError(const std::string& file, int line, const std::string& message)
        : std::runtime_error(file + (line > 0 ? ":" + std::to_string(line) : "") +
                             ": error: " + message) {}
};

}  // namespace rescomp
