// A lock file: the operating system's lock on an open file, held by this process until the file
// is closed or the process ends, however it ends, so that a killed run never leaves it held.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <system_error>

namespace planhost::os {

class LockFile {
public:
    // Opens path, creating it when missing; nothing (error says why) when it cannot.
    static std::unique_ptr<LockFile> Open(const std::filesystem::path& path,
                                          std::error_code& error);
    ~LockFile();  // closes the file, which releases the lock
    LockFile(const LockFile&) = delete;
    LockFile& operator=(const LockFile&) = delete;

    // Takes the lock unless another process holds it; does not wait.
    bool TryLock();

private:
    explicit LockFile(std::intptr_t handle) : handle_(handle) {}

    std::intptr_t handle_;  // the system's handle of the open file
};

}  // namespace planhost::os
