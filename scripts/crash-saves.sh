#!/usr/bin/env bash
# Kills planhost at 1,750 points in time (350 each) while it saves the settings, exports a points
# file and commits the project, and stops an import with SIGINT and SIGTERM; checks that every
# file is its old or its new version, that the project opens, and that a stopped run's last line
# says which version the project is. Prints how the kills fell. Uses the default preset's build.
#   scripts/crash-saves.sh [KILLS_PER_SCENARIO]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$root/build/default}"

if [[ -z "${BUILD_DIR:-}" ]]; then
    cmake --preset default -S "$root" >/dev/null
    cmake --build --preset default --target e2e_tests planhost Stakewise
fi
CRASH_KILLS="${1:-350}" "$build/bin/e2e_tests" --gtest_filter='CrashSafeSavesTest.*'
