// IO::FileSystem: folders, special locations and safe replacement of files.
#pragma once

#include <string>

#include "IO/Location.hpp"

namespace IO {

// One version of a file as the system describes it, without reading it: the file (device and
// inode), its length, and when its content (modified) and its entry (changed: also a rename
// over it, chmod, utime) last changed, in nanoseconds since the epoch. A file that is rewritten
// in place within one tick of the system's file clock can keep its stamp; one whose changed
// time is a few seconds old cannot change without its stamp changing.
struct FileStamp {
    UInt64 device = 0;
    UInt64 inode = 0;
    UInt64 size = 0;
    Int64 modifiedNs = 0;
    Int64 changedNs = 0;

    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

class FileSystem {
public:
    enum SpecialFolderID {
        UserApplicationData = 9,  // per-user settings: $XDG_CONFIG_HOME, else $HOME/.config
    };

    GSErrCode GetSpecialLocation(SpecialFolderID id, Location* location) const;
    GSErrCode CreateFolderTree(const Location& folder) const;  // creates what is missing
    bool Exists(const Location& location) const;
    bool IsFolder(const Location& location) const;
    // The stamp of the file that location names (a symbolic link is followed).
    GSErrCode GetFileStamp(const Location& location, FileStamp* stamp) const;
};

extern FileSystem fileSystem;

// Replaces a file as a whole, or not at all: the new content goes to a temporary file in the
// same folder, which Commit syncs and renames over the target (then syncs the folder). A reader
// sees either the old or the new file, also after a crash. The target keeps its mode, owner and
// group; a symbolic link is written through, not replaced. Open refuses a target that the
// caller could not open for writing, one with a second name (a hard link would keep the old
// content), one whose owner and group the caller cannot give the new file, and one in a folder
// where the caller cannot create the temporary file. Open also removes the temporary files that
// killed saves of the same target left behind. Destroying an uncommitted SafeFile removes the
// temporary file and leaves the target as it was.
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
