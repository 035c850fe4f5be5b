#include "planhost_runner.hpp"

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "unprivileged_child.hpp"

extern char** environ;

namespace planhost_test {

namespace {

std::string Slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool SameName(std::string_view a, std::string_view b) {
    return a.substr(0, a.find('=')) == b.substr(0, b.find('='));
}

// The parent's environment with the runner's variables, HOME and XDG_CONFIG_HOME pointing into
// the test folder.
std::vector<std::string> ChildEnvironment(const PlanhostRunner& runner,
                                          const std::vector<std::string>& extra) {
    // The runner's own come first: a lookup takes the first of a name.
    std::vector<std::string> own = {"HOME=" + runner.home().string(),
                                    "XDG_CONFIG_HOME=" + runner.configHome().string()};
    own.insert(own.end(), extra.begin(), extra.end());
    std::vector<std::string> env;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string_view text(*entry);
        if (std::none_of(own.begin(), own.end(),
                         [text](const std::string& mine) { return SameName(mine, text); }))
            env.emplace_back(text);
    }
    env.insert(env.end(), own.begin(), own.end());
    return env;
}

std::vector<char*> PointersTo(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& s : strings) pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

// Gives the path to the user, with its group.
void HandOver(const std::filesystem::path& path, int user) {
    if (lchown(path.c_str(), uid_t(user), gid_t(user)) != 0)
        throw std::runtime_error("cannot hand " + path.string() + " to the plain user");
}

// Drops root for the user, its group and no other groups.
bool BecomeUser(int user) {
    return user < 0 ||
           (setgroups(0, nullptr) == 0 && setgid(gid_t(user)) == 0 && setuid(uid_t(user)) == 0);
}

// In the child: redirections, user, working folder, exec. Only async-signal-safe calls.
[[noreturn]] void ExecChild(const char* folder, const char* outPath, const char* errPath, int user,
                            char* const* argv, char* const* envp) {
    const int in = open("/dev/null", O_RDONLY);
    const int out = open(outPath, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = open(errPath, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || out < 0 || err < 0 || !BecomeUser(user) || chdir(folder) != 0 ||
        dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0)
        _exit(127);
    execve(argv[0], argv, envp);
    _exit(127);
}

}  // namespace

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

FileState StateOf(const std::filesystem::path& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return {};
    return {Slurp(path), unsigned(info.st_mode & 07777), unsigned(info.st_uid),
            unsigned(info.st_gid)};
}

std::vector<std::string> RunResult::Alerts() const {
    std::vector<std::string> alerts;
    for (const std::string& line : outLines)
        if (line.starts_with("alert: ")) alerts.push_back(line.substr(7));
    return alerts;
}

bool RunResult::LeakedHandles() const {
    for (const std::string& line : errLines)
        if (line.starts_with("debug: leaked ")) return true;
    return false;
}

PlanhostRunner::PlanhostRunner() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "planhost-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary folder: " +
                                 std::string(std::strerror(errno)));
    folder_ = pattern;
    std::filesystem::create_directories(configHome());
    std::filesystem::create_directories(runFolder());
}

PlanhostRunner::~PlanhostRunner() {
    const char* keep = std::getenv("PLANHOST_KEEP_TEMP");
    if (keep != nullptr && std::string_view(keep) == "1") return;
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

void PlanhostRunner::RunAsPlainUser() {
    if (geteuid() != 0) return;
    runUser_ = int(NobodyId);
    HandOver(folder_, runUser_);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder_))
        HandOver(entry.path(), runUser_);
}

bool PlanhostRunner::runsAsRoot() const {
    return runUser_ < 0 && geteuid() == 0;
}

void PlanhostRunner::SetEnv(const std::string& name, const std::string& value) {
    const std::string entry = name + "=" + value;
    std::erase_if(extraEnv_, [&](const std::string& mine) { return SameName(mine, entry); });
    extraEnv_.push_back(entry);
}

std::filesystem::path PlanhostRunner::Binary() {
    return PLANHOST_PATH;
}

void PlanhostRunner::WriteFile(const std::filesystem::path& path,
                               const std::string& content) const {
    const std::filesystem::path full = folder_ / path;
    std::filesystem::create_directories(full.parent_path());
    std::ofstream(full, std::ios::binary | std::ios::trunc) << content;
    if (runUser_ < 0) return;
    for (std::filesystem::path made = full; made.string().starts_with(folder_.string() + "/");
         made = made.parent_path())
        HandOver(made, runUser_);
}

std::string PlanhostRunner::ReadFile(const std::filesystem::path& path) const {
    return Slurp(folder_ / path);
}

RunResult PlanhostRunner::Run(const std::vector<std::string>& args, bool withTrace) {
    return Finish(Start(args, withTrace));
}

StartedRun PlanhostRunner::Start(const std::vector<std::string>& args, bool withTrace) {
    return StartProgram(Binary(), args, withTrace);
}

RunResult PlanhostRunner::RunProgram(const std::filesystem::path& program,
                                     const std::vector<std::string>& args) {
    return Finish(StartProgram(program, args, false));
}

StartedRun PlanhostRunner::StartProgram(const std::filesystem::path& program,
                                        const std::vector<std::string>& args, bool withTrace) {
    StartedRun run;
    const std::string name = std::to_string(++runs_);
    run.withTrace = withTrace;
    run.out = runFolder() / (name + ".stdout");
    run.err = runFolder() / (name + ".stderr");
    run.trace = runFolder() / (name + ".trace");

    std::vector<std::string> argStrings{program.string()};
    if (withTrace) argStrings.insert(argStrings.end(), {"--trace", run.trace.string()});
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<std::string> envStrings = ChildEnvironment(*this, extraEnv_);
    const std::vector<char*> argv = PointersTo(argStrings);
    const std::vector<char*> envp = PointersTo(envStrings);
    const std::string folder = folder_.string();
    const std::string outFile = run.out.string();
    const std::string errFile = run.err.string();

    run.pid = fork();
    if (run.pid < 0) throw std::runtime_error("fork failed: " + std::string(std::strerror(errno)));
    if (run.pid == 0)
        ExecChild(folder.c_str(), outFile.c_str(), errFile.c_str(), runUser_, argv.data(),
                  envp.data());
    return run;
}

RunResult PlanhostRunner::Finish(const StartedRun& run) {
    RunResult result;
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + timeout_;
    while (waitpid(run.pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(run.pid, SIGKILL);
            waitpid(run.pid, &status, 0);
            result.timedOut = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);

    result.out = Slurp(run.out);
    result.err = Slurp(run.err);
    result.outLines = SplitLines(result.out);
    result.errLines = SplitLines(result.err);
    if (run.withTrace) result.traceLines = SplitLines(Slurp(run.trace));
    return result;
}

}  // namespace planhost_test
