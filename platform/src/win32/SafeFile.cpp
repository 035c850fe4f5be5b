#include <algorithm>
#include <cstdio>
#include <random>
#include <string_view>

#include "FileDescriptors.hpp"
#include "IO/FileSystem.hpp"
#include "WideText.hpp"
#include "WinIO.hpp"

namespace IO {
namespace {

constexpr int kMaxTempNameAttempts = 100;
constexpr std::size_t kMaxBaseNameUnits = 200;  // room for the temporary suffix in a name
constexpr int kTempSuffixDigits = 12;           // hexadecimal digits after ".tmp"
// What the replacement takes over from the file it replaces; read-only is not among them: a
// read-only target refuses the replacement, as it refuses any write.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// Where a name of path starts, after its folder (either separator).
std::size_t BaseNameStart(const std::wstring& path) {
    const std::size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? 0 : separator + 1;
}

// The temporary files of path lie beside it, named ".NAME.tmp" and kTempSuffixDigits
// hexadecimal digits, as on every system.
std::wstring TempNamePrefix(const std::wstring& path) {
    return L"." + path.substr(BaseNameStart(path), kMaxBaseNameUnits) + L".tmp";
}

bool IsTempName(std::wstring_view name, std::wstring_view prefix) {
    return name.size() == prefix.size() + kTempSuffixDigits && name.starts_with(prefix) &&
           std::all_of(name.begin() + prefix.size(), name.end(), [](wchar_t c) {
               return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f');
           });
}

// Temporary files that killed saves of this same target left behind. A save writes its
// temporary file shared with nobody, so the system refuses to delete a live one; a killed
// save's handle is closed, and its file goes.
void RemoveLeftovers(const std::wstring& path) {
    const std::wstring folder = path.substr(0, BaseNameStart(path));
    const std::wstring prefix = TempNamePrefix(path);
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW((folder + prefix + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    constexpr DWORD kNoFile = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    do {
        if ((found.dwFileAttributes & kNoFile) == 0 && IsTempName(found.cFileName, prefix))
            ::DeleteFileW((folder + found.cFileName).c_str());
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

// A new file next to path, created exclusively so that nobody else's file is used, and shared
// with nobody while it is written. It gets the folder's inherited permissions, as the file it
// replaces normally has.
HANDLE CreateTempFile(const std::wstring& path, std::wstring* tempPath) {
    static std::mt19937_64 random{std::random_device{}()};
    constexpr unsigned long long kSuffixMask = (1ull << (4 * kTempSuffixDigits)) - 1;
    const std::wstring stem = path.substr(0, BaseNameStart(path)) + TempNamePrefix(path);
    for (int attempt = 0; attempt < kMaxTempNameAttempts; ++attempt) {
        wchar_t suffix[24];
        std::swprintf(suffix, 24, L"%0*llx", kTempSuffixDigits,
                      static_cast<unsigned long long>(random() & kSuffixMask));
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

// Replacing is allowed where writing in place would be: not over a read-only file (Windows
// refuses the rename over it by itself; Wine does not, so the save asks first), a folder, or a
// file with a second name, which after the rename would keep the old content.
bool MayReplace(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return ::GetLastError() == ERROR_FILE_NOT_FOUND;
    if ((attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) return false;
    const HANDLE file =
        ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool single = ::GetFileInformationByHandle(file, &info) && info.nNumberOfLinks == 1;
    ::CloseHandle(file);
    return single;
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
    const std::wstring target = win32::WidePath(target_);
    if (!MayReplace(target)) return status_ = APIERR_GENERAL;
    RemoveLeftovers(target);
    std::wstring tempPath;
    const HANDLE file = CreateTempFile(target, &tempPath);
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
