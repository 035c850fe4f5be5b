// FTM: the host's registry of file types, used by file dialog filters. One registry per process.
#pragma once

#include <string>

#include "GS/Compiler.hpp"
#include "api/api_base.hpp"

namespace FTM {

using TypeID = Int32;  // 0 is no type
using GroupID = Int32;
constexpr GroupID RootGroup = 0;

class PLATFORM_API FileType {
public:
    // descriptionText may be null; extension is without the dot ("txt").
    FileType(const char* descriptionText, const char* extension, UInt32 macType, UInt32 macCreator,
             Int32 iconResID, const char* mimeType = nullptr, bool isVisible = true);
    const std::string& Description() const { return description_; }
    const std::string& Extension() const { return extension_; }

private:
    std::string description_;
    std::string extension_;
};

class PLATFORM_API FileTypeManager {
public:
    explicit FileTypeManager(const char* name);
    // The id of the type with that extension in the group; the type is registered there when
    // it is not yet.
    static TypeID SearchForType(const FileType& type, GroupID group = RootGroup);
    // The registered type of an id; null when the id is unknown.
    static const FileType* GetType(TypeID id);
};

}  // namespace FTM
