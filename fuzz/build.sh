#!/usr/bin/env bash
# Builds the fuzz targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer into
# build/fuzz (or the folder given as $1) and prints that folder.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
out="${1:-$here/../build/fuzz}"
cmake -S "$here" -B "$out" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$out" -j"${FUZZ_BUILD_JOBS:-2}" >&2
cd "$out" && pwd
