// IO::FileSystem: folders, special locations and safe replacement of files.
#pragma once

#include <string>

#include "IO/Location.hpp"

namespace IO {

class FileSystem {
public:
    enum SpecialFolderID {
        UserApplicationData = 9,  // per-user settings: $XDG_CONFIG_HOME, else $HOME/.config
    };

    GSErrCode GetSpecialLocation(SpecialFolderID id, Location* location) const;
    GSErrCode CreateFolderTree(const Location& folder) const;  // creates what is missing
    bool Exists(const Location& location) const;
    bool IsFolder(const Location& location) const;
};

extern FileSystem fileSystem;

// Replaces a file as a whole, or not at all: the new content goes to a temporary file in the
// same folder, which Commit syncs and renames over the target (then syncs the folder). A reader
// sees either the old or the new file, also after a crash. The target keeps its permissions;
// a symbolic link is written through, not replaced. Destroying an uncommitted SafeFile removes
// the temporary file and leaves the target as it was.
class SafeFile {
public:
    explicit SafeFile(const Location& target);
    ~SafeFile();
    SafeFile(const SafeFile&) = delete;
    SafeFile& operator=(const SafeFile&) = delete;

    GSErrCode Open();
    GSErrCode WriteBin(const char* buffer, GS::USize length);
    GSErrCode Commit();

private:
    Location target_;
    std::string finalPath_;  // the target, or the file its symbolic links lead to
    std::string tempPath_;
    int fd_ = -1;
    GSErrCode status_ = NoError;
};

}  // namespace IO
