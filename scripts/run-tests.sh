#!/usr/bin/env bash
# Every test: builds both presets (default, and asan with AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs CTest in each; then the host and end-to-end tests once
# under valgrind memcheck (planhost included), and the fuzz targets once over their seed corpus.
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

echo "== host and end-to-end tests under valgrind memcheck"
scripts/valgrind-tests.sh build/default

echo "== fuzz targets over their corpus"
fuzz/run.sh all replay
