#include <io.h>

#include <algorithm>

#include "FileDescriptors.hpp"
#include "WideText.hpp"
#include "WinIO.hpp"

namespace IO::descriptors {
namespace {

constexpr std::size_t kLargestTransfer = 1u << 30;  // ReadFile and WriteFile take a DWORD

struct OpenRequest {
    DWORD access;
    DWORD disposition;
};

// Binary always: what is written is what the file holds, CR LF included.
OpenRequest RequestFor(File::OpenMode mode, bool create) {
    const DWORD existing = create ? OPEN_ALWAYS : OPEN_EXISTING;
    switch (mode) {
        case File::ReadMode:
            return {GENERIC_READ, existing};
        case File::WriteMode:
            return {GENERIC_WRITE, existing};
        case File::ReadWriteMode:
            return {GENERIC_READ | GENERIC_WRITE, existing};
        case File::WriteEmptyMode:
            return {GENERIC_WRITE, DWORD(create ? CREATE_ALWAYS : TRUNCATE_EXISTING)};
    }
    return {0, 0};
}

}  // namespace

int Open(const Location& location, File::OpenMode mode, bool create) {
    const OpenRequest request = RequestFor(mode, create);
    if (request.access == 0) return -1;
    // Others may read, write, and replace or delete the file while it is open, as on POSIX:
    // a save that replaces the settings file must not fail because a command reads it.
    const HANDLE handle =
        ::CreateFileW(win32::WidePath(location).c_str(), request.access,
                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      request.disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return -1;
    if (::GetFileType(handle) != FILE_TYPE_DISK) {
        ::CloseHandle(handle);
        return -1;
    }
    return win32::AdoptHandle(handle);
}

bool Close(int fd) {
    return ::_close(fd) == 0;
}

long long ReadUpTo(int fd, char* buffer, std::size_t length) {
    std::size_t total = 0;
    while (total < length) {
        DWORD got = 0;
        const auto chunk = DWORD(std::min(length - total, kLargestTransfer));
        if (!::ReadFile(win32::HandleOf(fd), buffer + total, chunk, &got, nullptr)) return -1;
        if (got == 0) break;
        total += got;
    }
    return static_cast<long long>(total);
}

bool WriteAll(int fd, const char* buffer, std::size_t length) {
    while (length > 0) {
        DWORD written = 0;
        const auto chunk = DWORD(std::min(length, kLargestTransfer));
        if (!::WriteFile(win32::HandleOf(fd), buffer, chunk, &written, nullptr) || written == 0)
            return false;
        buffer += written;
        length -= written;
    }
    return true;
}

bool Sync(int fd) {
    return ::FlushFileBuffers(win32::HandleOf(fd)) != 0;
}

bool LengthOf(int fd, UInt64* length) {
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(win32::HandleOf(fd), &size)) return false;
    *length = UInt64(size.QuadPart);
    return true;
}

bool LengthOf(const Location& location, UInt64* length) {
    WIN32_FILE_ATTRIBUTE_DATA info{};
    if (!::GetFileAttributesExW(win32::WidePath(location).c_str(), GetFileExInfoStandard, &info))
        return false;
    *length = (UInt64(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    return true;
}

}  // namespace IO::descriptors
