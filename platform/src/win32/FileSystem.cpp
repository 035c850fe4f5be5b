#include "IO/FileSystem.hpp"

#include <windows.h>
// after windows.h, which they need
#include <knownfolders.h>
#include <shlobj.h>

#include <vector>

#include "PathSyntax.hpp"
#include "WideText.hpp"

namespace IO {

FileSystem fileSystem;

namespace {

constexpr Int64 kNsPerTick = 100;  // FILETIME counts 100 ns ticks
constexpr Int64 kTicksFrom1601To1970 = 116444736000000000;

std::wstring EnvironmentValue(const wchar_t* name) {
    const DWORD size = ::GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) return {};
    std::vector<wchar_t> value(size);
    const DWORD length = ::GetEnvironmentVariableW(name, value.data(), size);
    return length > 0 && length < size ? std::wstring(value.data(), length) : std::wstring();
}

// The per-user application data folder (%APPDATA%, Roaming).
std::wstring RoamingAppDataFolder() {
    PWSTR path = nullptr;
    std::wstring folder;
    if (::SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &path) == S_OK) folder = path;
    ::CoTaskMemFree(path);
    return folder;
}

// One redirect on every system: an absolute XDG_CONFIG_HOME names the folder here too (a
// Windows path, or a Unix path that Wine maps through its drive Z:).
std::wstring UserConfigFolder() {
    const std::wstring configHome = EnvironmentValue(L"XDG_CONFIG_HOME");
    const std::u16string text(configHome.begin(), configHome.end());
    if (path_syntax::RootLength(text) > 0) return configHome;
    return RoamingAppDataFolder();
}

bool IsFolderPath(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool MakeFolder(const std::wstring& path) {
    return ::CreateDirectoryW(path.c_str(), nullptr) || IsFolderPath(path);
}

Int64 NsSince1970(const FILETIME& time) {
    const Int64 ticks = (Int64(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return (ticks - kTicksFrom1601To1970) * kNsPerTick;
}

Int64 NsSince1970(const LARGE_INTEGER& time) {
    return (time.QuadPart - kTicksFrom1601To1970) * kNsPerTick;
}

}  // namespace

GSErrCode FileSystem::GetSpecialLocation(SpecialFolderID id, Location* location) const {
    if (location == nullptr || id != UserApplicationData) return APIERR_BADPARS;
    const std::wstring folder = UserConfigFolder();
    if (folder.empty()) return APIERR_GENERAL;
    *location = Location(win32::UniText(folder.c_str()));
    return NoError;
}

GSErrCode FileSystem::CreateFolderTree(const Location& folder) const {
    const std::wstring path = win32::WidePath(folder);
    if (path.empty()) return APIERR_BADPARS;
    const std::u16string text(path.begin(), path.end());
    // Each folder on the way below the root ("C:\", "\\server\share\"), from the top down.
    for (std::size_t at = path_syntax::RootLength(text); at < text.size(); ++at) {
        if (path_syntax::IsSeparator(text[at]) && at > 0 &&
            !path_syntax::IsSeparator(text[at - 1]) && !MakeFolder(path.substr(0, at)))
            return APIERR_GENERAL;
    }
    return path_syntax::IsSeparator(text.back()) || MakeFolder(path) ? NoError : APIERR_GENERAL;
}

bool FileSystem::Exists(const Location& location) const {
    return !location.IsEmpty() &&
           ::GetFileAttributesW(win32::WidePath(location).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool FileSystem::IsFolder(const Location& location) const {
    return !location.IsEmpty() && IsFolderPath(win32::WidePath(location));
}

// stat() gives no file identity here (its inode is 0): the volume serial number and the file
// index name the file, and a replacement by rename changes the index.
GSErrCode FileSystem::GetFileStamp(const Location& location, FileStamp* stamp) const {
    if (stamp == nullptr || location.IsEmpty()) return APIERR_BADPARS;
    const HANDLE file = ::CreateFileW(win32::WidePath(location).c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return APIERR_GENERAL;
    BY_HANDLE_FILE_INFORMATION info{};
    FILE_BASIC_INFO times{};
    const bool known = ::GetFileInformationByHandle(file, &info);
    const bool timed = ::GetFileInformationByHandleEx(file, FileBasicInfo, &times, sizeof times);
    ::CloseHandle(file);
    if (!known) return APIERR_GENERAL;
    stamp->device = info.dwVolumeSerialNumber;
    stamp->inode = (UInt64(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    stamp->size = (UInt64(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    stamp->modifiedNs = NsSince1970(info.ftLastWriteTime);
    stamp->changedNs = timed ? NsSince1970(times.ChangeTime) : stamp->modifiedNs;
    return NoError;
}

}  // namespace IO
