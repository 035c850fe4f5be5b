#include "os/process.hpp"

namespace planhost::os {

int RunProgram(const ProcessOptions& options) {
    const std::unique_ptr<Process> process = Process::Start(options);
    if (process == nullptr || !process->WaitToEnd()) return -1;
    return process->ExitStatus();
}

}  // namespace planhost::os
