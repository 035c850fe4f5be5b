#!/usr/bin/env bash
# Every test: builds the Linux presets (default, and asan with AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs CTest in each; builds the windows preset (MinGW-w64) and
# runs its CTest under Wine; then the host and end-to-end tests once under valgrind memcheck
# (planhost included), and the fuzz targets once over their seed corpus.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

scripts/setup.sh
for preset in default asan; do
    echo "== preset $preset"
    cmake --preset "$preset"
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done

echo "== preset windows, tests under Wine"
cmake --preset windows
# Wine's server and services start before the build runs its first Windows program and stop
# after the last test, whatever the outcome.
wine_prefix=build/windows/wine
cmake/wine-run.sh "$wine_prefix" --start
trap 'cmake/wine-run.sh "$wine_prefix" --stop' EXIT
cmake --build --preset windows
ctest --preset windows
cmake/wine-run.sh "$wine_prefix" --stop
trap - EXIT

echo "== host and end-to-end tests under valgrind memcheck"
scripts/valgrind-tests.sh build/default

echo "== fuzz targets over their corpus"
fuzz/run.sh all replay
