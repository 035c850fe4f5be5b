// Runs one command and tells what it cost, from the kernel's accounting of the child:
//   measure_child RESULT_FILE COMMAND [ARGS...]
// writes one line "WALL_SECONDS CPU_SECONDS PEAK_KIB EXIT_STATUS" to RESULT_FILE (CPU is user +
// system time; the peak is the child's largest resident set, wait4's ru_maxrss) and exits with
// the command's status.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

namespace {

double Seconds(const timeval& time) {
    return double(time.tv_sec) + double(time.tv_usec) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: measure_child RESULT_FILE COMMAND [ARGS...]\n");
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("fork");
        return 1;
    }
    if (child == 0) {
        execvp(argv[2], argv + 2);
        std::perror(argv[2]);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child) {
        std::perror("wait4");
        return 1;
    }
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    const int exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    std::FILE* result = std::fopen(argv[1], "w");
    if (result == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    std::fprintf(result, "%.3f %.3f %ld %d\n", wall.count(),
                 Seconds(usage.ru_utime) + Seconds(usage.ru_stime), usage.ru_maxrss, exitStatus);
    std::fclose(result);
    return exitStatus;
}
