#include "os/stop_requests.hpp"

#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace planhost::os {

namespace {

constexpr int kStopSignals[] = {SIGINT, SIGTERM};

struct Lines {
    std::string nothingSaved;
    std::string saved;
};
// Changed only while requests are held. Never destroyed: a request may come while the process
// ends, after its static objects are gone.
Lines* lines = nullptr;
volatile sig_atomic_t projectSaved = 0;

sigset_t StopSignalSet() {
    sigset_t set;
    sigemptyset(&set);
    for (const int signal : kStopSignals) sigaddset(&set, signal);
    return set;
}

void WriteToStandardError(const std::string& line) {
    const char* next = line.data();
    std::size_t left = line.size();
    while (left > 0) {
        const ssize_t written = ::write(STDERR_FILENO, next, left);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return;
        next += written;
        left -= std::size_t(written);
    }
}

// Says what became of the project, then ends the run by the same signal, so that whoever
// started planhost (a shell, a script) sees that it was stopped.
void EndRun(int signal) {
    WriteToStandardError(projectSaved ? lines->saved : lines->nothingSaved);
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

}  // namespace

void WatchStopRequests(std::string nothingSaved, std::string saved) {
    // No request may read the lines while they change.
    HoldStopRequests();
    if (lines == nullptr) lines = new Lines;
    lines->nothingSaved = std::move(nothingSaved);
    lines->saved = std::move(saved);
    struct sigaction action = {};
    action.sa_handler = EndRun;
    action.sa_mask = StopSignalSet();
    action.sa_flags = SA_RESTART;
    for (const int signal : kStopSignals) {
        struct sigaction previous = {};
        // A signal that the starter chose to ignore (a background job, nohup) stays ignored.
        if (sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN) continue;
        sigaction(signal, &action, nullptr);
    }
    ReleaseStopRequests(false);
}

void UnwatchStopRequests() {
    struct sigaction previous = {};
    for (const int signal : kStopSignals)
        if (sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler == EndRun)
            ::signal(signal, SIG_DFL);
}

void HoldStopRequests() {
    const sigset_t set = StopSignalSet();
    sigprocmask(SIG_BLOCK, &set, nullptr);
}

void ReleaseStopRequests(bool saved) {
    projectSaved = saved ? 1 : 0;
    const sigset_t set = StopSignalSet();
    sigprocmask(SIG_UNBLOCK, &set, nullptr);
}

}  // namespace planhost::os
