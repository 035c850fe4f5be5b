#include "PosixIO.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace IO::posix {

bool WriteAll(int fd, const char* buffer, std::size_t length) {
    while (length > 0) {
        const ssize_t written = ::write(fd, buffer, length);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        buffer += written;
        length -= std::size_t(written);
    }
    return true;
}

long ReadUpTo(int fd, char* buffer, std::size_t length) {
    std::size_t total = 0;
    while (total < length) {
        const ssize_t got = ::read(fd, buffer + total, length - total);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return -1;
        if (got == 0) break;
        total += std::size_t(got);
    }
    return long(total);
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

bool SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    // Some file systems cannot sync a folder (EINVAL); the rename stands there all the same.
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL;
    ::close(fd);
    return synced;
}

}  // namespace IO::posix
