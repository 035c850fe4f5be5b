#include "IO/FileSystem.hpp"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace IO {

FileSystem fileSystem;

namespace {

std::string EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

// The home folder: $HOME, else the password database's entry of the user.
std::string HomeFolder() {
    std::string home = EnvironmentValue("HOME");
    if (!home.empty()) return home;
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr && found->pw_dir != nullptr) {
        home = found->pw_dir;
    }
    return home;
}

// $XDG_CONFIG_HOME counts only when it is an absolute path; otherwise $HOME/.config.
std::string UserConfigFolder() {
    const std::string configHome = EnvironmentValue("XDG_CONFIG_HOME");
    if (!configHome.empty() && configHome.front() == '/') return configHome;
    const std::string home = HomeFolder();
    if (home.empty()) return {};
    return home.back() == '/' ? home + ".config" : home + "/.config";
}

bool IsFolderPath(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool MakeFolder(const std::string& path) {
    return ::mkdir(path.c_str(), 0777) == 0 || IsFolderPath(path);
}

}  // namespace

GSErrCode FileSystem::GetSpecialLocation(SpecialFolderID id, Location* location) const {
    if (location == nullptr || id != UserApplicationData) return APIERR_BADPARS;
    const std::string folder = UserConfigFolder();
    if (folder.empty()) return APIERR_GENERAL;
    *location = Location(GS::UniString(folder, GS::CC_UTF8));
    return NoError;
}

GSErrCode FileSystem::CreateFolderTree(const Location& folder) const {
    const std::string path = folder.ToNativePath();
    if (path.empty()) return APIERR_BADPARS;
    // Each folder on the way, from the top down, like mkdir -p.
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        if (path[slash - 1] != '/' && !MakeFolder(path.substr(0, slash))) return APIERR_GENERAL;
    }
    return path.back() == '/' || MakeFolder(path) ? NoError : APIERR_GENERAL;
}

bool FileSystem::Exists(const Location& location) const {
    struct stat info {};
    return !location.IsEmpty() && ::lstat(location.ToNativePath().c_str(), &info) == 0;
}

bool FileSystem::IsFolder(const Location& location) const {
    return !location.IsEmpty() && IsFolderPath(location.ToNativePath());
}

GSErrCode FileSystem::GetFileStamp(const Location& location, FileStamp* stamp) const {
    if (stamp == nullptr || location.IsEmpty()) return APIERR_BADPARS;
    struct stat info {};
    if (::stat(location.ToNativePath().c_str(), &info) != 0) return APIERR_GENERAL;
    constexpr Int64 NsPerSecond = 1000000000;
    stamp->device = UInt64(info.st_dev);
    stamp->inode = UInt64(info.st_ino);
    stamp->size = UInt64(info.st_size);
    stamp->modifiedNs = Int64(info.st_mtim.tv_sec) * NsPerSecond + info.st_mtim.tv_nsec;
    stamp->changedNs = Int64(info.st_ctim.tv_sec) * NsPerSecond + info.st_ctim.tv_nsec;
    return NoError;
}

}  // namespace IO
