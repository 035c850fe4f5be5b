#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>

#include "IO/FileSystem.hpp"
#include "PosixIO.hpp"

namespace IO {
namespace {

constexpr int MaxSymlinkHops = 40;
constexpr int MaxTempNameAttempts = 100;
constexpr std::size_t MaxBaseNameBytes = 200;  // room for the temporary suffix in NAME_MAX

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

// A new hidden file next to path, created exclusively so that nobody else's file is used;
// the process umask applies to its permissions like to any new file.
int CreateTempFile(const std::string& path, std::string* tempPath) {
    static std::mt19937_64 random{std::random_device{}()};
    const std::string stem =
        posix::FolderOf(path) + "/." + BaseNameOf(path).substr(0, MaxBaseNameBytes) + ".tmp";
    for (int attempt = 0; attempt < MaxTempNameAttempts; ++attempt) {
        char suffix[24];
        std::snprintf(suffix, sizeof suffix, "%012llx",
                      static_cast<unsigned long long>(random() & 0xFFFFFFFFFFFFull));
        const std::string candidate = stem + suffix;
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            *tempPath = candidate;
            return fd;
        }
        if (errno != EEXIST && errno != EINTR) return -1;
    }
    return -1;
}

// Replacing is allowed where writing in place would be: the caller may open the target for
// writing (root passes a mode of 444, as with open). A target with a second name is refused,
// since after the rename that name would keep the old content.
bool MayReplace(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return errno == ENOENT;
    return S_ISREG(info.st_mode) && info.st_nlink == 1 &&
           ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

// The replacement keeps the mode, owner and group of the file it replaces. Where the caller may
// not give it that owner and group (another user's writable file), it is not made at all:
// the file would change hands.
bool CopyPermissions(int fd, const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return errno == ENOENT;
    return S_ISREG(info.st_mode) && ::fchown(fd, info.st_uid, info.st_gid) == 0 &&
           ::fchmod(fd, info.st_mode & 07777) == 0;
}

}  // namespace

SafeFile::SafeFile(const Location& target) : target_(target) {}

SafeFile::~SafeFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!tempPath_.empty()) ::unlink(tempPath_.c_str());
}

GSErrCode SafeFile::Open() {
    if (fd_ >= 0 || !tempPath_.empty() || target_.IsEmpty()) return APIERR_BADPARS;
    finalPath_ = FollowSymlinks(target_.ToNativePath());
    if (finalPath_.empty() || !MayReplace(finalPath_)) return status_ = APIERR_GENERAL;
    fd_ = CreateTempFile(finalPath_, &tempPath_);
    if (fd_ < 0) return status_ = APIERR_GENERAL;
    if (!CopyPermissions(fd_, finalPath_)) {
        ::close(fd_);
        fd_ = -1;
        ::unlink(tempPath_.c_str());
        tempPath_.clear();
        return status_ = APIERR_GENERAL;
    }
    status_ = NoError;
    return NoError;
}

GSErrCode SafeFile::WriteBin(const char* buffer, GS::USize length) {
    if (fd_ < 0) return APIERR_GENERAL;
    if (status_ != NoError) return status_;
    if (buffer == nullptr && length > 0) return status_ = APIERR_BADPARS;
    // A failed write spoils the whole replacement: Commit then refuses it.
    if (!posix::WriteAll(fd_, buffer, length)) status_ = APIERR_GENERAL;
    return status_;
}

GSErrCode SafeFile::Commit() {
    if (fd_ < 0) return APIERR_GENERAL;
    const bool synced = status_ == NoError && ::fsync(fd_) == 0;
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    if (!synced || !closed || ::rename(tempPath_.c_str(), finalPath_.c_str()) != 0) {
        ::unlink(tempPath_.c_str());
        tempPath_.clear();
        return status_ = APIERR_GENERAL;
    }
    tempPath_.clear();
    return posix::SyncFolder(posix::FolderOf(finalPath_)) ? NoError : APIERR_GENERAL;
}

}  // namespace IO
