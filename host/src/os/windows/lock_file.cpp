#include "os/lock_file.hpp"

#include <windows.h>

namespace planhost::os {

namespace {

// Others may open, read and remove the file while it is held; only the lock is exclusive.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

HANDLE HandleOf(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

// The portable error of a failed open, as POSIX reports it, for the caller's message.
std::error_code OpenError(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return std::make_error_code(std::errc::no_such_file_or_directory);
        case ERROR_ACCESS_DENIED:
            return std::make_error_code(std::errc::permission_denied);
        default:
            return std::error_code(int(error), std::system_category());
    }
}

}  // namespace

std::unique_ptr<LockFile> LockFile::Open(const std::filesystem::path& path,
                                         std::error_code& error) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    const DWORD openError = ::GetLastError();
    // A lock file that another user made: reading it is enough to lock it.
    if (file == INVALID_HANDLE_VALUE && openError == ERROR_ACCESS_DENIED)
        file = ::CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = OpenError(openError);
        return nullptr;
    }
    return std::unique_ptr<LockFile>(new LockFile(reinterpret_cast<std::intptr_t>(file)));
}

LockFile::~LockFile() {
    ::CloseHandle(HandleOf(handle_));
}

// The lock covers the file's first byte, also when it is empty; it belongs to this open file
// alone, as flock's does on POSIX, and the system drops it when the process ends.
bool LockFile::TryLock() {
    OVERLAPPED from{};
    return ::LockFileEx(HandleOf(handle_), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0,
                        1, 0, &from) != 0;
}

}  // namespace planhost::os
