// Runs a check in a child process that file permissions bind: as root, the child becomes the
// user "nobody" first, since root may write into read-only folders.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <functional>

constexpr uid_t NobodyId = 65534;

// True when the check returned true in the child.
inline bool RunUnprivileged(const std::function<bool()>& check) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(NobodyId) != 0 || ::setuid(NobodyId) != 0)) ::_exit(2);
        ::_exit(check() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}
