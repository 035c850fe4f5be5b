// A program's command line as UTF-8 text, whatever form the system hands it over in.
#pragma once

#include <string>
#include <vector>

#include "GS/Compiler.hpp"

namespace IO {

// The arguments of main, program name first. On Windows they are read again from the UTF-16
// command line: main's narrow argv there is in the ANSI code page, which loses every character
// outside it.
PLATFORM_API std::vector<std::string> CommandLineArguments(int argc, char** argv);

}  // namespace IO
