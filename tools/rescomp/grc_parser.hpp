// Reads a resource source file into resources whose data is ready for the image.
#pragma once

#include <string>
#include <vector>

#include "api/api_base.hpp"

namespace rescomp {

struct Resource {
    GSType type;
    Int16 id;
    std::string name;
    std::string data;  // the bytes the image holds for it
    int line;          // where it starts in its source
};

// Throws SourceError naming the file and line of the first fault.
std::vector<Resource> ParseGrcFile(const std::string& path);
// The same for source text; files that resources name are relative to baseFolder.
std::vector<Resource> ParseGrc(const std::string& source, const std::string& file,
                               const std::string& baseFolder);

}  // namespace rescomp
