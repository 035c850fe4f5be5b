#include "IO/File.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "PosixIO.hpp"

namespace IO {
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

File::File(const Location& location, OnNotFound onNotFound)
    : location_(location), onNotFound_(onNotFound) {
    if (location_.IsEmpty()) status_ = APIERR_BADPARS;
}

File::~File() {
    Close();
}

GSErrCode File::Open(OpenMode mode) {
    if (status_ != NoError) return status_;
    const int flags = OpenFlags(mode);
    if (IsOpen() || flags < 0) return APIERR_BADPARS;
    const int create = onNotFound_ == Create ? O_CREAT : 0;
    // O_NONBLOCK keeps a FIFO from blocking the open; it is cleared again below.
    const std::string path = location_.ToNativePath();
    int fd;
    do {
        fd = ::open(path.c_str(), flags | create | O_CLOEXEC | O_NONBLOCK, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return APIERR_GENERAL;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return APIERR_GENERAL;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    fd_ = fd;
    return NoError;
}

GSErrCode File::Close() {
    if (!IsOpen()) return NoError;
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 ? NoError : APIERR_GENERAL;
}

GSErrCode File::ReadBin(char* buffer, GS::USize length, GS::USize* read) {
    if (read != nullptr) *read = 0;
    if (!IsOpen()) return APIERR_GENERAL;
    if (buffer == nullptr && length > 0) return APIERR_BADPARS;
    const long got = posix::ReadUpTo(fd_, buffer, length);
    if (got < 0) return APIERR_GENERAL;
    if (read != nullptr) *read = GS::USize(got);
    return got == 0 && length > 0 ? APIERR_GENERAL : NoError;
}

GSErrCode File::WriteBin(const char* buffer, GS::USize length) {
    if (!IsOpen()) return APIERR_GENERAL;
    if (buffer == nullptr && length > 0) return APIERR_BADPARS;
    return posix::WriteAll(fd_, buffer, length) ? NoError : APIERR_GENERAL;
}

GSErrCode File::GetDataLength(UInt64* length) const {
    if (length == nullptr) return APIERR_BADPARS;
    struct stat info {};
    const int result =
        IsOpen() ? ::fstat(fd_, &info) : ::stat(location_.ToNativePath().c_str(), &info);
    if (result != 0) return APIERR_GENERAL;
    *length = UInt64(info.st_size);
    return NoError;
}

GSErrCode File::Sync() {
    if (!IsOpen()) return APIERR_GENERAL;
    return ::fsync(fd_) == 0 ? NoError : APIERR_GENERAL;
}

}  // namespace IO
