// Another program run beside this one and watched while it runs: the end-to-end tests run
// planhost so, as a user would, and kill it mid-save.
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace planhost::os {

struct EnvironmentSetting {
    std::string name;
    std::string value;
};

// What to run and how. Text is UTF-8.
struct ProcessOptions {
    std::string program{};                          // the executable file
    std::vector<std::string> arguments{};           // the program name first
    std::vector<EnvironmentSetting> environment{};  // set on top of this process's environment
    std::string workingFolder{};                    // empty: this process's
    // Empty: the child shares this process's standard input, output and error. Otherwise its
    // output and error go to these files (created or emptied) and its input is empty.
    std::string outputFile{};
    std::string errorFile{};
    // POSIX: the user id (and the group of that id, without others) to run as, which takes
    // root's rights; -1 keeps this process's. Windows has no such change and ignores it.
    int user = -1;
};

// A program that was started. Destroying it does not stop the program.
class Process {
public:
    // Null when the program could not be started.
    static std::unique_ptr<Process> Start(const ProcessOptions& options);
    virtual ~Process() = default;

    // The system's id of the process.
    virtual int Id() const = 0;
    // Waits until the program has ended or the time is up; true once it has ended.
    virtual bool Wait(std::chrono::milliseconds timeout) = 0;
    bool WaitToEnd() { return Wait(std::chrono::milliseconds::max()); }
    // Ends the program at once, as SIGKILL or TerminateProcess do; false when it had ended.
    virtual bool Kill() = 0;
    // The exit status once it has ended by itself; -1 while it runs or when it did not exit.
    virtual int ExitStatus() const = 0;
    // What ended it when it did not exit by itself, 0 otherwise: the signal on POSIX; on
    // Windows the exception code of a crash (0xC0000005 and the like), or 9 after Kill.
    virtual int Signal() const = 0;
};

}  // namespace planhost::os
