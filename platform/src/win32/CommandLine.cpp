#include "IO/CommandLine.hpp"

#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include "WideText.hpp"

namespace IO {

// The narrow argv is in the ANSI code page; the UTF-16 command line holds every character.
std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    int count = 0;
    LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (wide == nullptr) return std::vector<std::string>(argv, argv + argc);
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i) arguments.push_back(win32::Utf8Text(wide[i]));
    ::LocalFree(wide);
    return arguments;
}

}  // namespace IO
