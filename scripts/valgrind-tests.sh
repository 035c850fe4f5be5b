#!/usr/bin/env bash
# The host's unit tests and the end-to-end tests under valgrind memcheck, planhost runs included
# (--trace-children): a memory error or a definite leak in planhost or the add-on makes that run
# exit 99, which fails its test. The sweeps that run planhost hundreds of times, the huge hostile
# inputs, the bulk floor command, the demo, the runs of two planhosts at once and the test that
# runs a browser on the report page stay out (they run under the asan preset); a time limit keeps
# the step bounded (about 14 minutes on a busy two-core machine). No gdb server: its pipes in
# /tmp, made as root, would stop a planhost that a test runs as a plain user.
#   scripts/valgrind-tests.sh BUILD_DIR [GTEST_FILTER]
set -euo pipefail
build="${1:?usage: scripts/valgrind-tests.sh BUILD_DIR [GTEST_FILTER]}"
filter="${2:--Commands/FaultSweepTest.*:CrashSafeSavesTest.*:LoadUnload.*:HostileInputTest.*:FloorCommandTest.*:PointCommandsTest.Demo*:ConcurrentRunsTest.*:*Browser*}"
suppressions="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/valgrind.supp"

for program in host_tests e2e_tests; do
    timeout "${VALGRIND_TIME_LIMIT:-1200}" \
        valgrind --quiet --trace-children=yes --vgdb=no --error-exitcode=99 --leak-check=full \
        --errors-for-leak-kinds=definite --show-leak-kinds=definite \
        --suppressions="$suppressions" "$build/bin/$program" --gtest_filter="$filter"
done
