// Runs the built planhost binary as a user would, for end-to-end tests.
//
// Each PlanhostRunner owns a fresh temporary folder: the working folder of every run (so the
// default project "plan.db" carries over from one run to the next) and the user's home (HOME is
// <folder>/home, XDG_CONFIG_HOME <folder>/home/.config). PLANHOST_KEEP_TEMP=1 keeps it.
//
// Run adds "--trace <folder>/.run/N.trace" in front of the arguments (unless withTrace is false)
// and reads the file back into traceLines. Standard input is empty; a run that outlasts the
// time-out is killed and reported with timedOut. Start and Finish do the same for runs that go
// on at the same time.
#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "os/child_process.hpp"

namespace planhost_test {

struct RunResult {
    int exitCode = -1;      // the exit status; -1 when planhost did not exit
    int signal = 0;         // what ended it when it did not exit (os::Process::Signal), else 0
    bool timedOut = false;  // killed after the time-out
    std::string out;        // standard output
    std::string err;        // standard error
    std::vector<std::string> outLines;    // out split at line ends
    std::vector<std::string> errLines;    // err split at line ends
    std::vector<std::string> traceLines;  // the --trace file, one host operation a line

    // Lines of standard output that start with "alert: ", without that prefix.
    std::vector<std::string> Alerts() const;
    // "debug: leaked N handles" was printed.
    bool LeakedHandles() const;
};

// A run started in the background; Finish waits for it.
struct StartedRun {
    std::shared_ptr<planhost::os::Process> process;
    int pid = -1;               // the system's id of the process
    std::filesystem::path out;  // where its standard output goes
    std::filesystem::path err;
    std::filesystem::path trace;  // empty for a run without a trace
};

class PlanhostRunner {
public:
    PlanhostRunner();
    ~PlanhostRunner();
    PlanhostRunner(const PlanhostRunner&) = delete;
    PlanhostRunner& operator=(const PlanhostRunner&) = delete;

    // Runs planhost with these arguments (without the program name).
    RunResult Run(const std::vector<std::string>& args, bool withTrace = true) {
        return Finish(Start(args, withTrace));
    }
    StartedRun Start(const std::vector<std::string>& args, bool withTrace = true) {
        return StartProgram(Binary(), args, withTrace);
    }
    // Waits for the run (killing it after the time-out) and reads what it printed.
    RunResult Finish(const StartedRun& run);
    // Runs another program the same way (absolute path), without a trace.
    RunResult RunProgram(const std::filesystem::path& program,
                         const std::vector<std::string>& args) {
        return Finish(StartProgram(program, args, false));
    }

    const std::filesystem::path& folder() const { return folder_; }  // the working folder
    std::filesystem::path configHome() const { return folder_ / "home" / ".config"; }

    // Files in the working folder (relative paths) or anywhere (absolute paths).
    void WriteFile(const std::filesystem::path& path, const std::string& content) const;
    std::string ReadFile(const std::filesystem::path& path) const;

    // The add-on's settings file in the runner's home.
    std::filesystem::path SettingsFile() const;
    // Writes it as the add-on does: six lines ended in CR LF.
    void WriteSettings(const std::string& library, const std::string& startNumber = "1",
                       const std::string& symbolSize = "1") const;

    // From now on runs, the runner's folder and the files WriteFile makes belong to a plain
    // user, so that file permissions bind planhost as they bind a user (when the tests run as
    // root; otherwise they do so already).
    void RunAsPlainUser();
    // Whether planhost runs with root's rights, which pass every file permission.
    bool runsAsRoot() const;

    void SetTimeout(std::chrono::seconds timeout) { timeout_ = timeout; }
    // An environment variable for every later run (HOME and XDG_CONFIG_HOME stay the runner's).
    void SetEnv(const std::string& name, const std::string& value);

    // The planhost binary the runs use (PLANHOST_PATH of the build), as an absolute path.
    static std::filesystem::path Binary();

private:
    StartedRun StartProgram(const std::filesystem::path& program,
                            const std::vector<std::string>& args, bool withTrace);

    std::filesystem::path folder_;
    std::chrono::seconds timeout_{60};
    std::vector<planhost::os::EnvironmentSetting> extraEnv_;
    int runUser_ = -1;  // the plain user's id, or -1 for the tests' own
    int runs_ = 0;
};

std::vector<std::string> SplitLines(const std::string& text);

// A file as a save may change it: its content, permission bits, owner and group.
struct FileState {
    std::string content;
    unsigned mode = 0, owner = 0, group = 0;

    friend bool operator==(const FileState&, const FileState&) = default;
    friend void PrintTo(const FileState& state, std::ostream* out) {
        *out << std::oct << state.mode << std::dec << ' ' << state.owner << ':' << state.group
             << " \"" << state.content << '"';
    }
};
FileState StateOf(const std::filesystem::path& path);  // through symbolic links
// Takes every write permission from the file (on Windows: sets its read-only attribute).
bool MakeReadOnly(const std::filesystem::path& path);
// Removes path and everything below it, read-only files too (Windows keeps those otherwise).
void RemoveTree(const std::filesystem::path& path);

}  // namespace planhost_test
