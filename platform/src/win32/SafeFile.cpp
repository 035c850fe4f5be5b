#include <cstdio>
#include <random>

#include "FileDescriptors.hpp"
#include "IO/FileSystem.hpp"
#include "WideText.hpp"
#include "WinIO.hpp"

namespace IO {
namespace {

constexpr int kMaxTempNameAttempts = 100;
constexpr std::size_t kMaxBaseNameUnits = 200;  // room for the temporary suffix in a name
// What the replacement takes over from the file it replaces; read-only is not among them: a
// read-only target refuses the replacement, as it refuses any write.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// Where a name of path starts, after its folder (either separator).
std::size_t BaseNameStart(const std::wstring& path) {
    const std::size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? 0 : separator + 1;
}

// A new file next to path, created exclusively so that nobody else's file is used. It gets the
// folder's inherited permissions, as the file it replaces normally has.
HANDLE CreateTempFile(const std::wstring& path, std::wstring* tempPath) {
    static std::mt19937_64 random{std::random_device{}()};
    const std::size_t base = BaseNameStart(path);
    const std::wstring stem =
        path.substr(0, base) + L"." + path.substr(base, kMaxBaseNameUnits) + L".tmp";
    for (int attempt = 0; attempt < kMaxTempNameAttempts; ++attempt) {
        wchar_t suffix[24];
        std::swprintf(suffix, 24, L"%012llx",
                      static_cast<unsigned long long>(random() & 0xFFFFFFFFFFFFull));
        const std::wstring candidate = stem + suffix;
        const HANDLE file = ::CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            *tempPath = candidate;
            return file;
        }
        if (::GetLastError() != ERROR_FILE_EXISTS) return INVALID_HANDLE_VALUE;
    }
    return INVALID_HANDLE_VALUE;
}

// A read-only file is not replaced. Windows refuses the rename over it by itself; Wine does
// not, so the save asks first.
bool IsReadOnly(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// The replacement is as hidden as the file it replaces.
void KeepAttributes(const std::wstring& tempPath, const std::wstring& path) {
    const DWORD target = ::GetFileAttributesW(path.c_str());
    if (target == INVALID_FILE_ATTRIBUTES || (target & kKeptAttributes) == 0) return;
    ::SetFileAttributesW(tempPath.c_str(), target & kKeptAttributes);
}

}  // namespace

SafeFile::~SafeFile() {
    if (fd_ >= 0) descriptors::Close(fd_);
    if (!tempPath_.empty()) ::DeleteFileW(win32::WideText(tempPath_).c_str());
}

GSErrCode SafeFile::Open() {
    if (fd_ >= 0 || !tempPath_.empty() || target_.IsEmpty()) return APIERR_BADPARS;
    finalPath_ = target_.ToNativePath();
    if (IsReadOnly(win32::WidePath(target_))) return status_ = APIERR_GENERAL;
    std::wstring tempPath;
    const HANDLE file = CreateTempFile(win32::WidePath(target_), &tempPath);
    if (file == INVALID_HANDLE_VALUE) return status_ = APIERR_GENERAL;
    fd_ = win32::AdoptHandle(file);
    if (fd_ < 0) {
        ::DeleteFileW(tempPath.c_str());
        return status_ = APIERR_GENERAL;
    }
    tempPath_ = win32::Utf8Text(tempPath.c_str());
    status_ = NoError;
    return NoError;
}

// The content reaches the disk before the rename, and the rename itself is written through:
// what fsync of the file and of its folder do on POSIX.
GSErrCode SafeFile::Commit() {
    if (fd_ < 0) return APIERR_GENERAL;
    const bool flushed = status_ == NoError && descriptors::Sync(fd_);
    const bool closed = descriptors::Close(fd_);
    fd_ = -1;
    const std::wstring tempPath = win32::WideText(tempPath_);
    const std::wstring finalPath = win32::WideText(finalPath_);
    tempPath_.clear();
    if (flushed && closed) KeepAttributes(tempPath, finalPath);
    if (!flushed || !closed ||
        !::MoveFileExW(tempPath.c_str(), finalPath.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ::DeleteFileW(tempPath.c_str());
        return status_ = APIERR_GENERAL;
    }
    return NoError;
}

}  // namespace IO
