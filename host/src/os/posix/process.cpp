#include "os/process.hpp"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

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

// Working folder and redirections, done in the child between fork and exec.
class SpawnActions {
public:
    explicit SpawnActions(const ProcessOptions& options) {
        posix_spawn_file_actions_init(&actions_);
        if (!options.workingFolder.empty())
            posix_spawn_file_actions_addchdir_np(&actions_, options.workingFolder.c_str());
        if (options.outputFile.empty()) return;
        constexpr int kWrite = O_WRONLY | O_CREAT | O_TRUNC;
        posix_spawn_file_actions_addopen(&actions_, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions_, 1, options.outputFile.c_str(), kWrite, 0644);
        posix_spawn_file_actions_addopen(&actions_, 2, options.errorFile.c_str(), kWrite, 0644);
    }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&actions_); }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;

    const posix_spawn_file_actions_t* get() const { return &actions_; }

private:
    posix_spawn_file_actions_t actions_;
};

class PosixProcess final : public Process {
public:
    explicit PosixProcess(pid_t pid) : pid_(pid) {}

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

std::filesystem::path ExecutablePath() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : self;
}

std::unique_ptr<Process> Process::Start(const ProcessOptions& options) {
    std::vector<std::string> arguments = options.arguments;
    std::vector<std::string> environment = ChildEnvironment(options.environment);
    const std::vector<char*> argv = Pointers(arguments);
    const std::vector<char*> envp = Pointers(environment);
    const SpawnActions actions(options);
    std::fflush(stdout);
    std::fflush(stderr);
    pid_t child = 0;
    if (posix_spawn(&child, options.program.c_str(), actions.get(), nullptr, argv.data(),
                    envp.data()) != 0)
        return nullptr;
    return std::make_unique<PosixProcess>(child);
}

}  // namespace planhost::os
