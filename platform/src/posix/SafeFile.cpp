#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <random>
#include <string_view>

#include "IO/FileSystem.hpp"
#include "PosixIO.hpp"

namespace IO {
namespace {

constexpr int MaxSymlinkHops = 40;
constexpr int MaxTempNameAttempts = 100;
constexpr std::size_t MaxBaseNameBytes = 200;  // room for the temporary suffix in NAME_MAX
constexpr int kTempSuffixDigits = 12;          // hexadecimal digits after ".tmp"

// The file that writing to path reaches: symbolic links of the last name are followed, also
// to a target that does not exist yet. Empty on a link loop or an unreadable link.
std::string FollowSymlinks(std::string path) {
    for (int hop = 0; hop < MaxSymlinkHops; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
        std::string link(std::size_t(info.st_size > 0 ? info.st_size : 4096), '\0');
        const ssize_t length = ::readlink(path.c_str(), link.data(), link.size());
        if (length <= 0 || std::size_t(length) > link.size()) return {};
        link.resize(std::size_t(length));
        path = link.front() == '/' ? link : posix::FolderOf(path) + "/" + link;
    }
    return {};
}

std::string BaseNameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The temporary files of path lie beside it, named ".NAME.tmp" and kTempSuffixDigits
// hexadecimal digits.
std::string TempNamePrefix(const std::string& path) {
    return "." + BaseNameOf(path).substr(0, MaxBaseNameBytes) + ".tmp";
}

bool IsTempName(std::string_view name, std::string_view prefix) {
    return name.size() == prefix.size() + kTempSuffixDigits && name.starts_with(prefix) &&
           std::all_of(name.begin() + prefix.size(), name.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// A save holds a lock on its temporary file while it writes it; the system drops the lock of a
// killed one. A leftover that nobody holds is therefore dead and may go.
void RemoveIfDead(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
        ::unlink(path.c_str());
    ::close(fd);
}

// Temporary files that killed saves of this same target left behind.
void RemoveLeftovers(const std::string& path) {
    const std::string folderPath = posix::FolderOf(path);
    const std::string prefix = TempNamePrefix(path);
    DIR* folder = ::opendir(folderPath.c_str());
    if (folder == nullptr) return;
    while (const dirent* entry = ::readdir(folder)) {
        if (IsTempName(entry->d_name, prefix)) RemoveIfDead(folderPath + "/" + entry->d_name);
    }
    ::closedir(folder);
}

// Takes the lock that marks a temporary file as being written. False when another save's
// cleanup got to the new file first (it holds the lock, or already removed the name). On a file
// system without locks the file stays unlocked, and no cleanup takes it for dead.
bool ClaimTempFile(int fd, const std::string& path) {
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) return false;
    struct stat opened {};
    struct stat named {};
    return ::fstat(fd, &opened) == 0 && ::lstat(path.c_str(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

// A new hidden file next to path, created exclusively so that nobody else's file is used;
// the process umask applies to its permissions like to any new file.
int CreateTempFile(const std::string& path, std::string* tempPath) {
    static std::mt19937_64 random{std::random_device{}()};
    constexpr unsigned long long kSuffixMask = (1ull << (4 * kTempSuffixDigits)) - 1;
    const std::string stem = posix::FolderOf(path) + "/" + TempNamePrefix(path);
    for (int attempt = 0; attempt < MaxTempNameAttempts; ++attempt) {
        char suffix[24];
        std::snprintf(suffix, sizeof suffix, "%0*llx", kTempSuffixDigits,
                      static_cast<unsigned long long>(random() & kSuffixMask));
        const std::string candidate = stem + suffix;
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 && ClaimTempFile(fd, candidate)) {
            *tempPath = candidate;
            return fd;
        }
        if (fd >= 0) {
            ::close(fd);
        } else if (errno != EEXIST && errno != EINTR) {
            return -1;
        }
    }
    return -1;
}

// Replacing is allowed where writing in place would be: the caller may open the target for
// writing (root passes a mode of 444, as with open). A target with a second name is refused,
// since after the rename that name would keep the old content.
// `existing` is null when there is no target yet.
bool MayReplace(const std::string& path, const struct stat* existing) {
    if (existing == nullptr) return true;
    return S_ISREG(existing->st_mode) && existing->st_nlink == 1 &&
           ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

// The replacement keeps the mode, owner and group of the file it replaces. Where the caller may
// not give it that owner and group (another user's writable file), it is not made at all:
// the file would change hands.
bool CopyPermissions(int fd, const struct stat* existing) {
    if (existing == nullptr) return true;
    return ::fchown(fd, existing->st_uid, existing->st_gid) == 0 &&
           ::fchmod(fd, existing->st_mode & 07777) == 0;
}

}  // namespace

SafeFile::~SafeFile() {
    if (!tempPath_.empty()) ::unlink(tempPath_.c_str());
    if (fd_ >= 0) ::close(fd_);
}

GSErrCode SafeFile::Open() {
    if (fd_ >= 0 || !tempPath_.empty() || target_.IsEmpty()) return APIERR_BADPARS;
    finalPath_ = FollowSymlinks(target_.ToNativePath());
    if (finalPath_.empty()) return status_ = APIERR_GENERAL;
    // The target is read once, so that the checks and the replacement's permissions agree.
    struct stat info {};
    const bool exists = ::stat(finalPath_.c_str(), &info) == 0;
    if (!exists && errno != ENOENT) return status_ = APIERR_GENERAL;
    const struct stat* existing = exists ? &info : nullptr;
    if (!MayReplace(finalPath_, existing)) return status_ = APIERR_GENERAL;
    RemoveLeftovers(finalPath_);
    fd_ = CreateTempFile(finalPath_, &tempPath_);
    if (fd_ < 0) return status_ = APIERR_GENERAL;
    if (!CopyPermissions(fd_, existing)) {
        ::close(fd_);
        fd_ = -1;
        ::unlink(tempPath_.c_str());
        tempPath_.clear();
        return status_ = APIERR_GENERAL;
    }
    status_ = NoError;
    return NoError;
}

// The temporary file stays open, and so locked, until it has its final name: another save's
// cleanup must not take it for a leftover.
GSErrCode SafeFile::Commit() {
    if (fd_ < 0) return APIERR_GENERAL;
    const bool renamed = status_ == NoError && ::fsync(fd_) == 0 &&
                         ::rename(tempPath_.c_str(), finalPath_.c_str()) == 0;
    if (!renamed) ::unlink(tempPath_.c_str());
    tempPath_.clear();
    // fsync has reported the content stored: the file is in place whatever close says.
    ::close(fd_);
    fd_ = -1;
    if (!renamed) return status_ = APIERR_GENERAL;
    return posix::SyncFolder(posix::FolderOf(finalPath_)) ? NoError : APIERR_GENERAL;
}

}  // namespace IO
