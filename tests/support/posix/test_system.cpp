#include "test_system.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace test_system {

bool RunUnprivileged(const std::function<bool()>& check) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(kPlainUserId) != 0 || ::setuid(kPlainUserId) != 0))
            ::_exit(2);
        ::_exit(check() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

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

void HandOver(const std::filesystem::path& path, int user) {
    if (::lchown(path.c_str(), uid_t(user), gid_t(user)) != 0)
        throw std::runtime_error("cannot hand " + path.string() + " to the plain user");
}

bool RunsAsRoot() {
    return ::geteuid() == 0;
}

bool PermissionsOf(const std::filesystem::path& path, unsigned* mode, unsigned* owner,
                   unsigned* group) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return false;
    *mode = unsigned(info.st_mode & 07777);
    *owner = unsigned(info.st_uid);
    *group = unsigned(info.st_gid);
    return true;
}

std::shared_ptr<void> HoldAsSaveDoes(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    if (::flock(fd, LOCK_EX) != 0) {
        ::close(fd);
        return nullptr;
    }
    return std::shared_ptr<int>(new int(fd), [](int* held) {
        ::close(*held);
        delete held;
    });
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
