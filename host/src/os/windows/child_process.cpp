#include "os/child_process.hpp"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cwctype>

#include "os/windows/wide_text.hpp"

namespace planhost::os {

namespace {

using std::chrono::milliseconds;

constexpr UINT kKilledExitCode = 9;        // what SIGKILL is on POSIX
constexpr DWORD kCrashCodes = 0xC0000000;  // NTSTATUS errors: an unhandled exception ended it

// One argument written so that the child's CommandLineToArgvW reads it back unchanged:
// quoted when it is empty or holds a blank or a quote; backslashes count only before a quote.
std::wstring QuotedArgument(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos)
        return argument;
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted.push_back(c);
    }
    quoted.append(backslashes * 2, L'\\');
    quoted.push_back(L'"');
    return quoted;
}

std::wstring CommandLine(const std::vector<std::string>& arguments) {
    std::wstring line;
    for (const std::string& argument : arguments) {
        if (!line.empty()) line.push_back(L' ');
        line += QuotedArgument(WideText(argument));
    }
    return line;
}

// Names of environment variables compare without case on Windows.
bool SameName(std::wstring_view variable, const std::wstring& name) {
    return variable.size() > name.size() && variable[name.size()] == L'=' &&
           std::equal(name.begin(), name.end(), variable.begin(),
                      [](wchar_t a, wchar_t b) { return std::towupper(a) == std::towupper(b); });
}

// This process's environment block with the settings applied: each variable ends with a NUL,
// the block with another.
std::wstring ChildEnvironment(const std::vector<EnvironmentSetting>& settings) {
    std::vector<std::wstring> names;
    for (const EnvironmentSetting& setting : settings) names.push_back(WideText(setting.name));
    std::wstring block;
    LPWCH current = ::GetEnvironmentStringsW();
    for (LPWCH variable = current; variable != nullptr && *variable != L'\0';
         variable += std::wcslen(variable) + 1) {
        const std::wstring_view text(variable);
        if (std::none_of(names.begin(), names.end(),
                         [&](const std::wstring& name) { return SameName(text, name); })) {
            block.append(text);
            block.push_back(L'\0');
        }
    }
    if (current != nullptr) ::FreeEnvironmentStringsW(current);
    for (const EnvironmentSetting& setting : settings) {
        block += WideText(setting.name + "=" + setting.value);
        block.push_back(L'\0');
    }
    block.push_back(L'\0');
    return block;
}

// An inheritable handle to a file for the child; the NUL device when path is empty.
HANDLE OpenForChild(const std::string& path, bool write) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    const std::wstring name = path.empty() ? L"NUL" : WideText(path);
    return ::CreateFileW(name.c_str(), write ? GENERIC_WRITE : GENERIC_READ,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherit,
                         write ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The standard handles the child gets: its own files, or this process's (made inheritable).
class ChildHandles {
public:
    explicit ChildHandles(const ProcessOptions& options) {
        if (options.outputFile.empty()) {
            handles_ = {::GetStdHandle(STD_INPUT_HANDLE), ::GetStdHandle(STD_OUTPUT_HANDLE),
                        ::GetStdHandle(STD_ERROR_HANDLE)};
            for (const HANDLE handle : handles_)
                ::SetHandleInformation(handle, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
            return;
        }
        owned_ = true;
        handles_ = {OpenForChild("", false), OpenForChild(options.outputFile, true),
                    OpenForChild(options.errorFile, true)};
    }
    ~ChildHandles() {
        if (!owned_) return;
        for (const HANDLE handle : handles_)
            if (handle != INVALID_HANDLE_VALUE) ::CloseHandle(handle);
    }
    ChildHandles(const ChildHandles&) = delete;
    ChildHandles& operator=(const ChildHandles&) = delete;

    void Into(STARTUPINFOW& startup) const {
        startup.dwFlags |= STARTF_USESTDHANDLES;
        startup.hStdInput = handles_[0];
        startup.hStdOutput = handles_[1];
        startup.hStdError = handles_[2];
    }

private:
    std::array<HANDLE, 3> handles_{};
    bool owned_ = false;
};

class WindowsProcess final : public Process {
public:
    explicit WindowsProcess(HANDLE process) : process_(process) {}
    ~WindowsProcess() override { ::CloseHandle(process_); }
    WindowsProcess(const WindowsProcess&) = delete;
    WindowsProcess& operator=(const WindowsProcess&) = delete;

    int Id() const override { return int(::GetProcessId(process_)); }

    bool Wait(milliseconds timeout) override {
        const DWORD wait = timeout.count() >= INFINITE ? INFINITE : DWORD(timeout.count());
        if (ended_ || ::WaitForSingleObject(process_, wait) != WAIT_OBJECT_0) return ended_;
        ended_ = ::GetExitCodeProcess(process_, &exitCode_) != 0;
        return ended_;
    }

    bool Kill() override {
        killed_ = !Wait(milliseconds(0)) && ::TerminateProcess(process_, kKilledExitCode);
        return killed_;
    }

    int ExitStatus() const override { return ended_ && Signal() == 0 ? int(exitCode_) : -1; }

    int Signal() const override {
        if (!ended_) return 0;
        if (killed_) return int(kKilledExitCode);
        return exitCode_ >= kCrashCodes ? int(exitCode_) : 0;
    }

private:
    HANDLE process_;
    DWORD exitCode_ = 0;
    bool ended_ = false;
    bool killed_ = false;
};

// Wine, like a busy Windows with a virus scanner, now and then fails to start a program that
// starts a moment later; a missing or foreign program fails the same way every time.
bool MayStartLater(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_ACCESS_DENIED:
        case ERROR_BAD_EXE_FORMAT:
        case ERROR_DIRECTORY:
            return false;
        default:
            return true;
    }
}

constexpr int kStartAttempts = 4;

}  // namespace

std::unique_ptr<Process> Process::Start(const ProcessOptions& options) {
    std::wstring commandLine = CommandLine(options.arguments);
    std::wstring environment = ChildEnvironment(options.environment);
    const std::wstring folder = WideText(options.workingFolder);
    const ChildHandles handles(options);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    handles.Into(startup);
    PROCESS_INFORMATION process{};
    std::fflush(stdout);
    std::fflush(stderr);
    const std::wstring program = WideText(options.program);
    for (int attempt = 1;; ++attempt) {
        if (::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                             CREATE_UNICODE_ENVIRONMENT, environment.data(),
                             folder.empty() ? nullptr : folder.c_str(), &startup, &process))
            break;
        if (attempt == kStartAttempts || !MayStartLater(::GetLastError())) return nullptr;
        ::Sleep(DWORD(100 * attempt));
    }
    ::CloseHandle(process.hThread);
    return std::make_unique<WindowsProcess>(process.hProcess);
}

}  // namespace planhost::os
