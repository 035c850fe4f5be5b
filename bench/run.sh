#!/usr/bin/env bash
# The bulk benchmark: planhost's import, export, update and insert at survey scale, each beside
# the host's floor for the same work (planhost floor ...), and the stakeout report of as many
# pairs, in one table.
#   bench/run.sh [N ...]        default: 1000 10000 100000 1000000
# Every figure is the best of three runs (STAKEWISE_BENCH_REPEATS to change).
# Builds an optimised planhost in build/bench (STAKEWISE_BENCH_BUILD to change; or takes the
# binaries of the folder STAKEWISE_BENCH_BIN as they are), generates the
# files with survey_points and measures every run with measure_child (wait4: wall and CPU
# seconds, peak resident memory). Ratios and microseconds per point are from CPU seconds, which
# other work on the machine disturbs less than wall time; the load average is printed with the
# table.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${STAKEWISE_BENCH_BUILD:-$root/build/bench}"
sizes=("$@")
# Each figure is the best of this many runs (STAKEWISE_BENCH_REPEATS).
repeats="${STAKEWISE_BENCH_REPEATS:-3}"
[ ${#sizes[@]} -gt 0 ] || sizes=(1000 10000 100000 1000000)

if [ -n "${STAKEWISE_BENCH_BIN:-}" ]; then
    # Binaries built before (planhost with Stakewise.so and its library beside it).
    bin="$STAKEWISE_BENCH_BIN"
    export LD_LIBRARY_PATH="$bin${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}"
else
    # Optimised with debug information, as the default preset builds, so that a profile of the
    # same build names its functions.
    if [ ! -f "$build/CMakeCache.txt" ]; then
        "$root/scripts/setup.sh"
        cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    fi
    cmake --build "$build" --target planhost Stakewise stakewise-report survey_points \
        measure_child -j2 >/dev/null
    bin="$build/bin"
fi
planhost="$bin/planhost"
survey="$bin/survey_points"
measure="$bin/measure_child"

work="$(mktemp -d "${TMPDIR:-/tmp}/stakewise-bulk-XXXXXX")"
trap 'rm -rf "$work"' EXIT

# The add-on's settings: the international object, symbol size 1, numbering from 1.
export XDG_CONFIG_HOME="$work/config"
ini="$XDG_CONFIG_HOME/Orvane/Stakewise/Stakewise.ini"
mkdir -p "$(dirname "$ini")"
printf 'Username=\r\nMinimized=0\r\nProjectUnits=\r\nSymbolSize=1\r\nStartNumber=1\r\nLibrary=2\r\n' \
    >"$ini"

# A user's settings were saved a while before a command runs; the add-on trusts its parsed
# copy only for a file that has not changed in the last two seconds (insert saves it).
settle_settings() {
    while (($(date +%s) - $(stat -c %Z "$ini") < 3)); do sleep 1; done
}

# keep_best NAME: the figures of a try land in $work/NAME when it took the least CPU time so far:
# other work on the machine only ever adds time.
keep_best() {
    local name="$1"
    if [ ! -f "$work/$name" ] ||
        awk '{ t = $2 } END { exit !(t < kept) }' kept="$(cut -d' ' -f2 "$work/$name")" \
            "$work/$name.try"; then
        mv "$work/$name.try" "$work/$name"
    fi
}

# failed NAME WHAT: says that WHAT failed, with the end of its output, and stops.
failed() {
    echo "bench: $2 failed; its output:" >&2
    tail -n 20 "$work/$1.log" >&2
    exit 1
}

# run NAME FROM PROJECT ARGS...: planhost measured $repeats times on PROJECT, made afresh before
# each time as a copy of FROM (or removed, when FROM is "new"); the best figures land in
# $work/NAME.
run() {
    local name="$1" from="$2" project="$3"
    shift 3
    rm -f "$work/$name"
    for ((try = 0; try < repeats; try++)); do
        if [ "$from" = new ]; then rm -f "$project"; else cp "$from" "$project"; fi
        settle_settings
        "$measure" "$work/$name.try" "$planhost" --project "$project" "$@" \
            >"$work/$name.log" 2>&1 || failed "$name" "planhost $*"
        keep_best "$name"
    done
}

# report N: stakewise-report on N pairs with its CSV file and page, measured $repeats times; its
# status is 1, as some points lie beyond tolerance. The host has no share of this work, so the
# row has no floor.
report() {
    rm -f "$work/report"
    for ((try = 0; try < repeats; try++)); do
        "$measure" "$work/report.try" "$bin/stakewise-report" --csv "$work/report.csv" \
            --html "$work/report.html" "$work/staked.txt" >"$work/report.txt" \
            2>"$work/report.log" || [ $? -eq 1 ] || failed report stakewise-report
        keep_best report
    done
    read -r wall cpu peak _ <"$work/report"
    awk -v n="$1" -v w="$wall" -v cpu="$cpu" -v p="$peak" 'BEGIN {
        printf "%-7s %9d %9.2f %9.2f %9.1f %9.1f %9s %9s %7s\n",
            "report", n, w, cpu, cpu * 1e6 / n, p / 1024, "-", "-", "-"
    }'
}

printf 'load average before: %s\n' "$(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-7s %9s %9s %9s %9s %9s %9s %9s %7s\n' command N 'wall s' 'cpu s' 'us/point' \
    'peak MiB' 'floor s' 'floor MiB' ratio
row() {
    local command="$1" n="$2"
    read -r wall cpu peak _ <"$work/addon"
    read -r _ fcpu fpeak _ <"$work/floor"
    awk -v c="$command" -v n="$n" -v w="$wall" -v cpu="$cpu" -v p="$peak" -v fc="$fcpu" \
        -v fp="$fpeak" 'BEGIN {
            printf "%-7s %9d %9.2f %9.2f %9.1f %9.1f %9.2f %9.1f %7.2f\n",
                c, n, w, cpu, cpu * 1e6 / n, p / 1024, fc, fp / 1024, (fc > 0 ? cpu / fc : 0)
        }'
}

for n in "${sizes[@]}"; do
    "$survey" points "$n" "$work/points.txt"
    "$survey" update "$n" "$work/update.txt"
    "$survey" clicks "$n" "$work/clicks.txt"
    rm -f "$work"/*.db

    run addon new "$work/import.db" import "$work/points.txt"
    run floor new "$work/floor.db" floor import "$work/points.txt"
    row import "$n"

    run addon "$work/import.db" "$work/export.db" export "$work/exported.txt"
    run floor "$work/import.db" "$work/floor-export.db" floor export "$work/floor-exported.txt"
    row export "$n"

    run addon "$work/import.db" "$work/update.db" update "$work/update.txt"
    run floor "$work/import.db" "$work/floor-update.db" floor update "$work/update.txt"
    row update "$n"

    run addon new "$work/insert.db" insert --clicks-file "$work/clicks.txt"
    run floor new "$work/floor-insert.db" floor insert "$work/clicks.txt"
    row insert "$n"

    "$survey" staked "$n" "$work/staked.txt"
    report "$n"
done
printf 'load average after: %s\n' "$(cut -d' ' -f1-3 /proc/loadavg)"
