#include "os/process.hpp"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>

extern char** environ;

namespace planhost::os {

namespace {

std::vector<char*> PointersTo(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

std::filesystem::path ThisProgram() {
    std::error_code error;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : self;
}

std::vector<std::string> Environment() {
    std::vector<std::string> variables;
    for (char** variable = environ; *variable != nullptr; ++variable)
        variables.push_back(*variable);
    return variables;
}

std::optional<int> RunProgram(const std::filesystem::path& program,
                              const std::vector<std::string>& arguments,
                              const std::vector<std::string>& environment) {
    std::vector<std::string> argumentTexts = arguments;
    std::vector<std::string> environmentTexts = environment;
    const std::vector<char*> argv = PointersTo(argumentTexts);
    const std::vector<char*> envp = PointersTo(environmentTexts);
    pid_t child = 0;
    if (posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), envp.data()) != 0)
        return std::nullopt;
    int status = 0;
    while (waitpid(child, &status, 0) != child)
        if (errno != EINTR) return std::nullopt;
    if (!WIFEXITED(status)) return std::nullopt;
    return WEXITSTATUS(status);
}

}  // namespace planhost::os
