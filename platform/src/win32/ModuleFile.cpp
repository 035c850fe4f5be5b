#include "IO/ModuleFile.hpp"

#include <windows.h>

#include <string>

#include "WideText.hpp"

namespace IO {

namespace {

constexpr DWORD kLongestPath = 32768;  // the longest path the Windows API takes, in UTF-16 units

// The module's file name, in a buffer that grows from MAX_PATH as long as the name is cut.
std::wstring FileNameOf(HMODULE module) {
    for (DWORD size = MAX_PATH; size <= kLongestPath; size *= 2) {
        std::wstring name(size, L'\0');
        const DWORD length = ::GetModuleFileNameW(module, name.data(), size);
        if (length == 0) return {};
        if (length < size) return name.substr(0, length);
    }
    return {};
}

}  // namespace

GSErrCode GetModuleFileLocation(const void* address, Location* location) {
    if (location == nullptr) return APIERR_BADPARS;
    HMODULE module = nullptr;
    if (!::GetModuleHandleExW(
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
            static_cast<LPCWSTR>(address), &module))
        return APIERR_GENERAL;
    const std::wstring name = FileNameOf(module);
    if (name.empty()) return APIERR_GENERAL;
    *location = Location(win32::UniText(name.c_str()));
    return NoError;
}

}  // namespace IO
