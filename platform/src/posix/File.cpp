#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "FileDescriptors.hpp"
#include "PosixIO.hpp"

namespace IO::descriptors {
namespace {

int OpenFlags(File::OpenMode mode) {
    switch (mode) {
        case File::ReadMode:
            return O_RDONLY;
        case File::WriteMode:
            return O_WRONLY;
        case File::ReadWriteMode:
            return O_RDWR;
        case File::WriteEmptyMode:
            return O_WRONLY | O_TRUNC;
    }
    return -1;
}

}  // namespace

int Open(const Location& location, File::OpenMode mode, bool create) {
    const int flags = OpenFlags(mode);
    if (flags < 0) return -1;
    // O_NONBLOCK keeps a FIFO from blocking the open; it is cleared again below.
    const std::string path = location.ToNativePath();
    int fd;
    do {
        fd = ::open(path.c_str(), flags | (create ? O_CREAT : 0) | O_CLOEXEC | O_NONBLOCK, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return -1;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

bool Close(int fd) {
    return ::close(fd) == 0;
}

long long ReadUpTo(int fd, char* buffer, std::size_t length) {
    return posix::ReadUpTo(fd, buffer, length);
}

bool WriteAll(int fd, const char* buffer, std::size_t length) {
    return posix::WriteAll(fd, buffer, length);
}

bool Sync(int fd) {
    return ::fsync(fd) == 0;
}

bool LengthOf(int fd, UInt64* length) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) return false;
    *length = UInt64(info.st_size);
    return true;
}

bool LengthOf(const Location& location, UInt64* length) {
    struct stat info {};
    if (::stat(location.ToNativePath().c_str(), &info) != 0) return false;
    *length = UInt64(info.st_size);
    return true;
}

}  // namespace IO::descriptors
