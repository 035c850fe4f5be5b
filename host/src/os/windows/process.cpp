#include "os/process.hpp"

#include <windows.h>

#include <memory>

#include "os/child_process.hpp"
#include "os/windows/wide_text.hpp"

namespace planhost::os {

namespace {

constexpr DWORD kLongestPath = 32768;  // in UTF-16 units, the Windows API's own limit

// "NAME=value" as a setting. Windows keeps the current folder of each drive in variables
// whose name starts with "=" ("=C:=C:\x"): the name ends at the first "=" after its first
// character.
EnvironmentSetting SettingOf(const std::string& variable) {
    const std::size_t equals = variable.find('=', 1);
    if (equals == std::string::npos) return {variable, ""};
    return {variable.substr(0, equals), variable.substr(equals + 1)};
}

}  // namespace

std::filesystem::path ThisProgram() {
    std::wstring path(kLongestPath, L'\0');
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
    if (length == 0 || length >= path.size()) return {};
    path.resize(length);
    return path;
}

std::vector<std::string> Environment() {
    std::vector<std::string> variables;
    LPWCH block = ::GetEnvironmentStringsW();
    for (LPWCH variable = block; variable != nullptr && *variable != L'\0';
         variable += std::wcslen(variable) + 1)
        variables.push_back(Utf8Text(variable));
    if (block != nullptr) ::FreeEnvironmentStringsW(block);
    return variables;
}

// The child gets the environment that the caller made of this one (Environment() with
// changes), so setting each of its variables over this process's gives it.
std::optional<int> RunProgram(const std::filesystem::path& program,
                              const std::vector<std::string>& arguments,
                              const std::vector<std::string>& environment) {
    ProcessOptions options{.program = Utf8Text(program.wstring()), .arguments = arguments};
    for (const std::string& variable : environment)
        options.environment.push_back(SettingOf(variable));
    const std::unique_ptr<Process> process = Process::Start(options);
    if (process == nullptr || !process->WaitToEnd() || process->ExitStatus() < 0)
        return std::nullopt;
    return process->ExitStatus();
}

}  // namespace planhost::os
