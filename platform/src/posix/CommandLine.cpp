#include "IO/CommandLine.hpp"

namespace IO {

// The bytes of argv are the file system's own names already.
std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}

}  // namespace IO
