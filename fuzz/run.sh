#!/usr/bin/env bash
# Fuzzes one target for a given time, or until it has run RUNS inputs when that comes first,
# growing its corpus in build/fuzz/corpus/TARGET (the seeds in fuzz/corpus/TARGET stay as they
# are), and prints libFuzzer's final statistics.
#   fuzz/run.sh points_file_fuzzer 600
#   fuzz/run.sh points_file_fuzzer 10800 10000000
# With "replay" as the time, runs every target once over its seed corpus instead (the CI step).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
target="${1:?usage: fuzz/run.sh TARGET SECONDS | fuzz/run.sh all replay}"
seconds="${2:?usage: fuzz/run.sh TARGET SECONDS | fuzz/run.sh all replay}"
runs="${3:--1}"
out="$("$here/build.sh" "${FUZZ_BUILD_DIR:-$here/../build/fuzz}")"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

if [[ "$seconds" == replay ]]; then
    targets=(points_file_fuzzer settings_file_fuzzer update_lines_fuzzer)
    [[ "$target" == all ]] || targets=("$target")
    for name in "${targets[@]}"; do
        echo "== replaying $name"
        "$out/$name" -runs=0 -timeout=10 -rss_limit_mb=4096 "$here/corpus/$name"
    done
    exit 0
fi

# Update reads the settings file for every line it handles, so long inputs mostly fuzz that.
# FUZZ_MAX_LEN trades the longest input for speed: short inputs run several times faster.
max_len=65536
[[ "$target" == update_lines_fuzzer ]] && max_len=4096
max_len="${FUZZ_MAX_LEN:-$max_len}"
grown="$out/corpus/$target"
mkdir -p "$grown" "$out/artifacts/$target"
"$out/$target" -max_total_time="$seconds" -runs="$runs" -timeout=10 -rss_limit_mb=4096 -max_len=$max_len \
    -dict="$here/dictionaries/$target.dict" -artifact_prefix="$out/artifacts/$target/" \
    -print_final_stats=1 "$grown" "$here/corpus/$target"
