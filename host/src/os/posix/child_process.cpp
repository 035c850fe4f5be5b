#include "os/child_process.hpp"

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <thread>

extern char** environ;

namespace planhost::os {

namespace {

using std::chrono::milliseconds;

constexpr milliseconds kPollInterval{5};

bool IsSetting(std::string_view variable, const std::vector<EnvironmentSetting>& settings) {
    return std::any_of(settings.begin(), settings.end(), [&](const EnvironmentSetting& setting) {
        return variable.size() > setting.name.size() && variable.starts_with(setting.name) &&
               variable[setting.name.size()] == '=';
    });
}

std::vector<std::string> ChildEnvironment(const std::vector<EnvironmentSetting>& settings) {
    std::vector<std::string> variables;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        if (!IsSetting(*variable, settings)) variables.push_back(*variable);
    }
    for (const EnvironmentSetting& setting : settings)
        variables.push_back(setting.name + "=" + setting.value);
    return variables;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

// Drops root for the user, its group and no other groups.
bool BecomeUser(int user) {
    return user < 0 || (::setgroups(0, nullptr) == 0 && ::setgid(gid_t(user)) == 0 &&
                        ::setuid(uid_t(user)) == 0);
}

bool Redirect(const char* path, int flags, int target) {
    const int fd = ::open(path, flags, 0644);
    return fd >= 0 && ::dup2(fd, target) >= 0 && ::close(fd) == 0;
}

// In the child between fork and exec: redirections, user, working folder. Only
// async-signal-safe calls.
[[noreturn]] void ExecChild(const ProcessOptions& options, char* const* argv, char* const* envp) {
    constexpr int kWrite = O_WRONLY | O_CREAT | O_TRUNC;
    const bool redirected =
        options.outputFile.empty() ||
        (Redirect("/dev/null", O_RDONLY, 0) && Redirect(options.outputFile.c_str(), kWrite, 1) &&
         Redirect(options.errorFile.c_str(), kWrite, 2));
    if (!redirected || !BecomeUser(options.user) ||
        (!options.workingFolder.empty() && ::chdir(options.workingFolder.c_str()) != 0))
        ::_exit(127);
    ::execve(options.program.c_str(), argv, envp);
    ::_exit(127);
}

class PosixProcess final : public Process {
public:
    explicit PosixProcess(pid_t pid) : pid_(pid) {}

    int Id() const override { return int(pid_); }

    bool Wait(milliseconds timeout) override {
        if (ended_ || timeout == milliseconds::max()) return Reap(0);
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!Reap(WNOHANG)) {
            if (std::chrono::steady_clock::now() >= deadline) return false;
            std::this_thread::sleep_for(std::min(kPollInterval, timeout));
        }
        return true;
    }

    bool Kill() override { return !Reap(WNOHANG) && ::kill(pid_, SIGKILL) == 0; }

    int ExitStatus() const override {
        return ended_ && WIFEXITED(status_) ? WEXITSTATUS(status_) : -1;
    }

    int Signal() const override { return ended_ && WIFSIGNALED(status_) ? WTERMSIG(status_) : 0; }

private:
    // True once the child has ended (and is reaped).
    bool Reap(int flags) {
        while (!ended_) {
            const pid_t reaped = ::waitpid(pid_, &status_, flags);
            ended_ = reaped == pid_;
            if (reaped != -1 || errno != EINTR) break;
        }
        return ended_;
    }

    pid_t pid_;
    int status_ = 0;
    bool ended_ = false;
};

}  // namespace

std::unique_ptr<Process> Process::Start(const ProcessOptions& options) {
    std::vector<std::string> arguments = options.arguments;
    std::vector<std::string> environment = ChildEnvironment(options.environment);
    const std::vector<char*> argv = Pointers(arguments);
    const std::vector<char*> envp = Pointers(environment);
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t child = ::fork();
    if (child < 0) return nullptr;
    if (child == 0) ExecChild(options, argv.data(), envp.data());
    return std::make_unique<PosixProcess>(child);
}

}  // namespace planhost::os
