#include "test_system.hpp"

#include <stdlib.h>
#include <windows.h>
// after windows.h, which it needs
#include <psapi.h>

#include <cstdint>

#include "GS/UniString.hpp"
#include "IO/Utf8Path.hpp"

namespace test_system {

namespace {

namespace fs = std::filesystem;

// Read-only files are what Windows refuses to replace; its folders have no such mode.
void SetFilesWritable(const fs::path& folder, bool writable) {
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        if (entry.is_regular_file())
            fs::permissions(entry.path(), fs::perms::owner_write,
                            writable ? fs::perm_options::add : fs::perm_options::remove);
    }
}

}  // namespace

// _wputenv_s changes the C runtime's copy and the process environment that the Windows API
// reads; an empty value removes the variable. The value is UTF-8, as everywhere in the tests.
void SetEnvironmentValue(const char* name, const char* value) {
    const std::u16string wideName = GS::UniString(name, GS::CC_UTF8).Text();
    const std::u16string wideValue =
        GS::UniString(value != nullptr ? value : "", GS::CC_UTF8).Text();
    ::_wputenv_s(reinterpret_cast<const wchar_t*>(wideName.c_str()),
                 reinterpret_cast<const wchar_t*>(wideValue.c_str()));
}

bool RunUnprivileged(const std::function<bool()>& check) {
    return check();
}

bool RunWithFolderProtected(const std::string& folder, const std::function<bool()>& check) {
    const fs::path path = IO::PathFromUtf8(folder);
    SetFilesWritable(path, false);
    const bool result = check();
    SetFilesWritable(path, true);
    return result;
}

void HandOver(const std::filesystem::path&, int) {}

bool RunsAsRoot() {
    return false;
}

bool PermissionsOf(const std::filesystem::path& path, unsigned* mode, unsigned* owner,
                   unsigned* group) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    *mode = (attributes & FILE_ATTRIBUTE_READONLY) != 0 ? 0444 : 0666;
    *owner = 0;
    *group = 0;
    return true;
}

std::shared_ptr<void> HoldAsSaveDoes(const std::filesystem::path& path) {
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    return std::shared_ptr<void>(file, ::CloseHandle);
}

long ResidentKiB() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters)) return -1;
    return long(counters.WorkingSetSize / 1024);
}

// Each handle value (a multiple of 4) is asked for; Wine's GetProcessHandleCount says 0.
long OpenFileCount() {
    constexpr std::uintptr_t kHandleValues = 1 << 16;
    long count = 0;
    for (std::uintptr_t value = 4; value < kHandleValues; value += 4) {
        DWORD flags = 0;
        if (::GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++count;
    }
    return count;
}

}  // namespace test_system
