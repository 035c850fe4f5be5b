#include "os/lock_file.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace planhost::os {

std::unique_ptr<LockFile> LockFile::Open(const std::filesystem::path& path,
                                         std::error_code& error) {
    int file = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    const int openError = errno;
    // A lock file that another user made: reading it is enough to lock it.
    if (file < 0 && openError == EACCES) file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) {
        error = std::error_code(openError, std::generic_category());
        return nullptr;
    }
    return std::unique_ptr<LockFile>(new LockFile(file));
}

LockFile::~LockFile() {
    ::close(int(handle_));
}

bool LockFile::TryLock() {
    // flock, not fcntl: its lock belongs to this open file alone, so that closing another
    // descriptor of the same file in this process (SQLite's) cannot drop it.
    while (::flock(int(handle_), LOCK_EX | LOCK_NB) != 0)
        if (errno != EINTR) return false;
    return true;
}

}  // namespace planhost::os
