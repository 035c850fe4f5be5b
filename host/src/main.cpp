#include <string>
#include <vector>

#include "IO/CommandLine.hpp"
#include "cli/commands.hpp"

// The commands get their arguments as UTF-8 on every system.
int main(int argc, char** argv) {
    std::vector<std::string> arguments = IO::CommandLineArguments(argc, argv);
    std::vector<char*> pointers;
    for (std::string& argument : arguments) pointers.push_back(argument.data());
    return planhost::RunPlanhost(int(pointers.size()), pointers.data());
}
