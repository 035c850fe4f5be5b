// The parts of File and SafeFile that are the same on every system, on top of the system's
// descriptor operations.
#include "FileDescriptors.hpp"
#include "IO/File.hpp"
#include "IO/FileSystem.hpp"

namespace IO {

File::File(const Location& location, OnNotFound onNotFound)
    : location_(location), onNotFound_(onNotFound) {
    if (location_.IsEmpty()) status_ = APIERR_BADPARS;
}

File::~File() {
    Close();
}

GSErrCode File::Open(OpenMode mode) {
    if (status_ != NoError) return status_;
    if (IsOpen() || mode < ReadMode || mode > WriteEmptyMode) return APIERR_BADPARS;
    fd_ = descriptors::Open(location_, mode, onNotFound_ == Create);
    return IsOpen() ? NoError : APIERR_GENERAL;
}

GSErrCode File::Close() {
    if (!IsOpen()) return NoError;
    const bool closed = descriptors::Close(fd_);
    fd_ = -1;
    return closed ? NoError : APIERR_GENERAL;
}

GSErrCode File::ReadBin(char* buffer, GS::USize length, GS::USize* read) {
    if (read != nullptr) *read = 0;
    if (!IsOpen()) return APIERR_GENERAL;
    if (buffer == nullptr && length > 0) return APIERR_BADPARS;
    const long long got = descriptors::ReadUpTo(fd_, buffer, length);
    if (got < 0) return APIERR_GENERAL;
    if (read != nullptr) *read = GS::USize(got);
    return got == 0 && length > 0 ? APIERR_GENERAL : NoError;
}

GSErrCode File::WriteBin(const char* buffer, GS::USize length) {
    if (!IsOpen()) return APIERR_GENERAL;
    if (buffer == nullptr && length > 0) return APIERR_BADPARS;
    return descriptors::WriteAll(fd_, buffer, length) ? NoError : APIERR_GENERAL;
}

GSErrCode File::GetDataLength(UInt64* length) const {
    if (length == nullptr) return APIERR_BADPARS;
    const bool known =
        IsOpen() ? descriptors::LengthOf(fd_, length) : descriptors::LengthOf(location_, length);
    return known ? NoError : APIERR_GENERAL;
}

GSErrCode File::Sync() {
    if (!IsOpen()) return APIERR_GENERAL;
    return descriptors::Sync(fd_) ? NoError : APIERR_GENERAL;
}

SafeFile::SafeFile(const Location& target) : target_(target) {}

GSErrCode SafeFile::WriteBin(const char* buffer, GS::USize length) {
    if (fd_ < 0) return APIERR_GENERAL;
    if (status_ != NoError) return status_;
    if (buffer == nullptr && length > 0) return status_ = APIERR_BADPARS;
    // A failed write spoils the whole replacement: Commit then refuses it.
    if (!descriptors::WriteAll(fd_, buffer, length)) status_ = APIERR_GENERAL;
    return status_;
}

}  // namespace IO
