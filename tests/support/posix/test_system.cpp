#include "test_system.hpp"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace test_system {

namespace {

constexpr uid_t kNobodyId = 65534;

// True when the check returned true in a child that file permissions bind.
bool RunUnprivileged(const std::function<bool()>& check) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(kNobodyId) != 0 || ::setuid(kNobodyId) != 0)) ::_exit(2);
        ::_exit(check() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

}  // namespace

void SetEnvironmentValue(const char* name, const char* value) {
    if (value != nullptr) {
        ::setenv(name, value, 1);
    } else {
        ::unsetenv(name);
    }
}

bool RunWithFolderProtected(const std::string& folder, const std::function<bool()>& check) {
    ::chmod(folder.c_str(), 0555);
    const bool result = RunUnprivileged(check);
    ::chmod(folder.c_str(), 0755);
    return result;
}

long ResidentKiB() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

long OpenFileCount() {
    long count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++count;
    return count;
}

}  // namespace test_system
