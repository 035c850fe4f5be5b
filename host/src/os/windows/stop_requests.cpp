#include "os/stop_requests.hpp"

#include <windows.h>

#include <condition_variable>
#include <mutex>

namespace planhost::os {

namespace {

// How Windows ends a program that Ctrl-C stopped.
constexpr UINT kStoppedExitCode = 0xC000013A;  // STATUS_CONTROL_C_EXIT

struct State {
    std::mutex mutex;
    std::condition_variable released;
    bool held = false;
    bool saved = false;
    bool watching = false;
    std::string nothingSavedLine;
    std::string savedLine;
};
// Never destroyed: a request may come while the process ends, after its static objects are gone.
State& state = *new State;

void WriteToStandardError(const std::string& line) {
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(STD_ERROR_HANDLE), line.data(), DWORD(line.size()), &written,
                nullptr);
}

// Windows calls this on a thread of its own. It waits for a save that is under way, says what
// became of the project and ends the run at once, as the default handler would.
BOOL WINAPI EndRun(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT)
        return FALSE;
    std::unique_lock lock(state.mutex);
    state.released.wait(lock, [] { return !state.held; });
    WriteToStandardError(state.saved ? state.savedLine : state.nothingSavedLine);
    ::TerminateProcess(::GetCurrentProcess(), kStoppedExitCode);
    return TRUE;
}

}  // namespace

void WatchStopRequests(std::string nothingSavedLine, std::string savedLine) {
    {
        const std::lock_guard lock(state.mutex);
        state.nothingSavedLine = std::move(nothingSavedLine);
        state.savedLine = std::move(savedLine);
        state.saved = false;
        if (state.watching) return;
        state.watching = true;
    }
    ::SetConsoleCtrlHandler(EndRun, TRUE);
}

void UnwatchStopRequests() {
    {
        const std::lock_guard lock(state.mutex);
        if (!state.watching) return;
        state.watching = false;
    }
    ::SetConsoleCtrlHandler(EndRun, FALSE);
}

void HoldStopRequests() {
    const std::lock_guard lock(state.mutex);
    state.held = true;
}

void ReleaseStopRequests(bool saved) {
    {
        const std::lock_guard lock(state.mutex);
        state.held = false;
        state.saved = saved;
    }
    state.released.notify_all();
}

}  // namespace planhost::os
