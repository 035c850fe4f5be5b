#include "planhost_runner.hpp"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "IO/Utf8Path.hpp"
#include "platform_test_folder.hpp"
#include "test_system.hpp"

namespace planhost_test {

namespace os = planhost::os;

namespace {

std::string Slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::string Text(const std::filesystem::path& path) {
    return IO::Utf8FromPath(path);
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
    FileState state;
    if (!test_system::PermissionsOf(path, &state.mode, &state.owner, &state.group)) return {};
    state.content = Slurp(path);
    return state;
}

bool MakeReadOnly(const std::filesystem::path& path) {
    using std::filesystem::perms;
    std::error_code error;
    std::filesystem::permissions(path,
                                 perms::owner_write | perms::group_write | perms::others_write,
                                 std::filesystem::perm_options::remove, error);
    return !error;
}

void RemoveTree(const std::filesystem::path& path) {
    using std::filesystem::perms;
    std::error_code ignored;
    std::filesystem::permissions(path, perms::owner_write, std::filesystem::perm_options::add,
                                 ignored);
    // A path that is no folder makes the iterator an empty one.
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path, ignored))
        std::filesystem::permissions(entry.path(), perms::owner_write,
                                     std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path);
}

std::vector<std::string> RunResult::Alerts() const {
    std::vector<std::string> alerts;
    for (const std::string& line : outLines)
        if (line.starts_with("alert: ")) alerts.push_back(line.substr(7));
    return alerts;
}

bool RunResult::LeakedHandles() const {
    return std::ranges::any_of(
        errLines, [](const std::string& line) { return line.starts_with("debug: leaked "); });
}

PlanhostRunner::PlanhostRunner() : folder_(MakeTemporaryFolder("planhost-test-")) {
    std::filesystem::create_directories(configHome());
    std::filesystem::create_directories(folder_ / ".run");
}

PlanhostRunner::~PlanhostRunner() {
    const char* keep = std::getenv("PLANHOST_KEEP_TEMP");
    if (keep != nullptr && std::string_view(keep) == "1") return;
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

// Root's runs become "nobody"'s; any other user's files bind it already.
void PlanhostRunner::RunAsPlainUser() {
    if (!test_system::RunsAsRoot()) return;
    runUser_ = test_system::kPlainUserId;
    test_system::HandOver(folder_, runUser_);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder_))
        test_system::HandOver(entry.path(), runUser_);
}

bool PlanhostRunner::runsAsRoot() const {
    return runUser_ < 0 && test_system::RunsAsRoot();
}

void PlanhostRunner::SetEnv(const std::string& name, const std::string& value) {
    std::erase_if(extraEnv_, [&](const os::EnvironmentSetting& mine) { return mine.name == name; });
    extraEnv_.push_back({name, value});
}

// Absolute in this process: under Wine the build's Unix path then gets its drive letter, so
// that it still names the file when planhost runs in a folder on another drive.
std::filesystem::path PlanhostRunner::Binary() {
    return std::filesystem::absolute(PLANHOST_PATH);
}

void PlanhostRunner::WriteFile(const std::filesystem::path& path,
                               const std::string& content) const {
    const std::filesystem::path full = folder_ / path;
    std::filesystem::create_directories(full.parent_path());
    std::ofstream(full, std::ios::binary | std::ios::trunc) << content;
    if (runUser_ < 0) return;
    for (std::filesystem::path made = full; made.string().starts_with(folder_.string() + "/");
         made = made.parent_path())
        test_system::HandOver(made, runUser_);
}

std::string PlanhostRunner::ReadFile(const std::filesystem::path& path) const {
    return Slurp(folder_ / path);
}

std::filesystem::path PlanhostRunner::SettingsFile() const {
    return configHome() / "Orvane" / "Stakewise" / "Stakewise.ini";
}

void PlanhostRunner::WriteSettings(const std::string& library, const std::string& startNumber,
                                   const std::string& symbolSize) const {
    WriteFile(SettingsFile(),
              "Username=\r\nMinimized=0\r\nProjectUnits=\r\nSymbolSize=" + symbolSize +
                  "\r\nStartNumber=" + startNumber + "\r\nLibrary=" + library + "\r\n");
}

StartedRun PlanhostRunner::StartProgram(const std::filesystem::path& program,
                                        const std::vector<std::string>& args, bool withTrace) {
    StartedRun run;
    const std::string name = std::to_string(++runs_);
    run.out = folder_ / ".run" / (name + ".stdout");
    run.err = folder_ / ".run" / (name + ".stderr");
    std::vector<std::string> arguments{Text(program)};
    if (withTrace) {
        run.trace = folder_ / ".run" / (name + ".trace");
        arguments.insert(arguments.end(), {"--trace", Text(run.trace)});
    }
    arguments.insert(arguments.end(), args.begin(), args.end());
    // This process's environment with the runner's home and variables on top.
    std::vector<os::EnvironmentSetting> environment = {{"HOME", Text(folder_ / "home")},
                                                       {"XDG_CONFIG_HOME", Text(configHome())}};
    environment.insert(environment.end(), extraEnv_.begin(), extraEnv_.end());
    run.process = os::Process::Start({.program = Text(program),
                                      .arguments = arguments,
                                      .environment = environment,
                                      .workingFolder = Text(folder_),
                                      .outputFile = Text(run.out),
                                      .errorFile = Text(run.err),
                                      .user = runUser_});
    if (run.process == nullptr) throw std::runtime_error("cannot start " + Text(program));
    run.pid = run.process->Id();
    return run;
}

RunResult PlanhostRunner::Finish(const StartedRun& run) {
    RunResult result;
    os::Process& process = *run.process;
    if (!process.Wait(timeout_)) {
        process.Kill();
        process.WaitToEnd();
        result.timedOut = true;
    }
    result.exitCode = process.ExitStatus();
    result.signal = process.Signal();
    result.out = Slurp(run.out);
    result.err = Slurp(run.err);
    result.outLines = SplitLines(result.out);
    result.errLines = SplitLines(result.err);
    if (!run.trace.empty()) result.traceLines = SplitLines(Slurp(run.trace));
    return result;
}

}  // namespace planhost_test
