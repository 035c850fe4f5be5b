// Processes as planhost uses them: its own program file, its environment, and another program
// run to its end.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace planhost::os {

// The file of the running program; empty when the system does not tell.
std::filesystem::path ThisProgram();

// This process's environment, "NAME=value" each.
std::vector<std::string> Environment();

// Runs program with these arguments (the first is the name it is run under) and environment,
// and waits for it. Its exit status; nothing when it could not be started or did not exit.
std::optional<int> RunProgram(const std::filesystem::path& program,
                              const std::vector<std::string>& arguments,
                              const std::vector<std::string>& environment);

}  // namespace planhost::os
