#include "os/module_loader.hpp"

#include <windows.h>

#include "os/windows/wide_text.hpp"

namespace planhost::os {

namespace {

// The system's text for its last error, without the line end it carries.
std::string LastErrorText() {
    const DWORD code = ::GetLastError();
    LPWSTR text = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
    std::string message =
        length > 0 ? Utf8Text(std::wstring(text, length)) : "error " + std::to_string(code);
    ::LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                                message.back() == ' ' || message.back() == '.'))
        message.pop_back();
    return message;
}

}  // namespace

void* LoadModule(const std::string& utf8Path, std::string* error) {
    const HMODULE module = ::LoadLibraryW(WideText(utf8Path).c_str());
    if (module == nullptr && error != nullptr) *error = LastErrorText();
    return reinterpret_cast<void*>(module);
}

void* FindExport(void* module, const char* name) {
    return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(module), name));
}

void UnloadModule(void* module) {
    ::FreeLibrary(static_cast<HMODULE>(module));
}

}  // namespace planhost::os
