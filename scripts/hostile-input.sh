#!/usr/bin/env bash
# The hostile inputs too large or too privileged for the test suite: a 100 MB line, 10 million
# empty lines (as points file and as settings file), files that only another user could read, and
# saves onto a full disk (a small tmpfs; needs root). Each case prints its exit status, time and
# peak memory, and whether what must hold held. Exit status 1 when any case failed.
#   scripts/hostile-input.sh [PLANHOST]   (default: the default preset's build)
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
planhost="${1:-$root/build/default/bin/planhost}"
if [[ $# -eq 0 ]]; then
    cmake --preset default -S "$root" >/dev/null && cmake --build --preset default --target planhost Stakewise >/dev/null || exit 1
fi

work="$(mktemp -d /tmp/hostile-input-XXXXXX)"
full="$work/full"
cleanup() {
    mountpoint -q "$full" 2>/dev/null && umount "$full"
    rm -rf "$work"
}
trap cleanup EXIT
cd "$work" || exit 1
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"
settings_dir="$XDG_CONFIG_HOME/Orvane/Stakewise"
mkdir -p "$settings_dir"
settings=$'Username=\r\nMinimized=0\r\nProjectUnits=\r\nSymbolSize=1\r\nStartNumber=20\r\nLibrary=2\r\n'
printf '%s' "$settings" >"$settings_dir/Stakewise.ini"
printf '%s' "$settings" >settings-before.ini
"$planhost" place --part Stakemark.gsm --id 7 --x 1 --y 1 --param "strMarkerStyle=Cross in Circle" >/dev/null

failures=0
# case NAME EXPECTED_STATUS COMMAND...: runs it with a time limit and prints one line.
case_run() {
    local name="$1" expected="$2"
    shift 2
    local started status seconds rss
    started=$(date +%s.%N)
    /usr/bin/time -f '%M' -o "$work/rss" timeout 900 "$@" >"$work/out" 2>"$work/err"
    status=$?
    seconds=$(echo "$(date +%s.%N) - $started" | bc)
    rss=$(tail -1 "$work/rss")
    local verdict=ok
    if [[ $status -ne $expected ]] || grep -qE 'Sanitizer|runtime error|debug: leaked' "$work/err"; then
        verdict=FAILED
        failures=$((failures + 1))
    fi
    printf '%-44s status %3d  %7.2f s  %8d KB  %s\n' "$name" "$status" "$seconds" "$rss" "$verdict"
    [[ $verdict == ok ]] || sed 's/^/    /' "$work/out" "$work/err" | head -5
}
# check NAME CONDITION...: a condition that must hold after the cases before it.
check() {
    local name="$1"
    shift
    if "$@"; then
        printf '%-44s ok\n' "$name"
    else
        printf '%-44s FAILED\n' "$name"
        failures=$((failures + 1))
    fi
}
plan_reads() { "$planhost" list >/dev/null 2>&1; }

echo "== huge points files"
{ printf '7\t'; head -c 100000000 /dev/zero | tr '\0' '1'; printf '\t2\t3\t\r\n'; } >long-line.txt
head -c 10000000 /dev/zero | tr '\0' '\n' >empty-lines.txt
{ printf '[Measured_Points]'; head -c 10000000 /dev/zero | tr '\0' '\r'; } >cr-only.txt
for file in long-line.txt empty-lines.txt cr-only.txt; do
    case_run "import $file" 0 "$planhost" import "$file"
    case_run "update $file" 0 "$planhost" update "$file"
done
check "the plan reads after the huge files" plan_reads

echo "== huge settings files"
for file in long-line.txt empty-lines.txt; do
    cp "$file" "$settings_dir/Stakewise.ini"
    case_run "import with settings $file" 0 "$planhost" import missing.txt
    cp "$file" "$settings_dir/Stakewise.ini"
    case_run "settings with settings $file" 0 "$planhost" settings --symbol-size 2 --start-number 3 --library 2
    check "  the save replaced it with six lines" test "$(wc -l <"$settings_dir/Stakewise.ini")" -eq 6
done
printf '%s' "$settings" >"$settings_dir/Stakewise.ini"
rm -f long-line.txt empty-lines.txt cr-only.txt

echo "== files that only their owner may read"
if [[ $(id -u) -eq 0 ]] && command -v setpriv >/dev/null; then
    printf '8\t1\t2\t3\t\r\n' >private.txt
    chmod 600 private.txt
    chmod 755 "$work" "$work/home"
    mkdir -m 777 nobody && cp plan.db nobody/ && chmod 666 nobody/plan.db
    as_nobody=(setpriv --reuid=65534 --regid=65534 --clear-groups env HOME="$work/home")
    case_run "import of an unreadable file" 0 "${as_nobody[@]}" "$planhost" --project nobody/plan.db import private.txt
    check "  nothing was placed, no message" bash -c "! grep -q alert '$work/out' && grep -q '(0 new)' '$work/out'"
    chmod 600 "$settings_dir/Stakewise.ini"
    case_run "settings, the settings file unreadable" 0 "${as_nobody[@]}" "$planhost" --project nobody/plan.db settings --symbol-size 2 --start-number 3 --library 2
    check "  the settings file is as it was" cmp -s "$settings_dir/Stakewise.ini" settings-before.ini
    chmod 644 "$settings_dir/Stakewise.ini"
else
    echo "skipped: needs root and setpriv (root itself reads every file)"
fi

echo "== saves onto a full disk"
mkdir -p "$full"
if mount -t tmpfs -o size=256k tmpfs "$full" 2>/dev/null; then
    cp plan.db "$full/plan.db"
    printf '[Design_Points]\r\n99\t9\t9\t9\t\r\n' >"$full/exported.txt"
    mkdir -p "$full/config/Orvane/Stakewise"
    printf '%s' "$settings" >"$full/config/Orvane/Stakewise/Stakewise.ini"
    head -c 1000000 /dev/zero >"$full/filler" 2>/dev/null
    cp "$full/plan.db" plan-before.db
    cp "$full/exported.txt" export-before.txt
    case_run "export onto a full disk" 0 "$planhost" export "$full/exported.txt"
    check "  the user is told" grep -q "could not be written" "$work/out"
    check "  the old export is intact" cmp -s "$full/exported.txt" export-before.txt
    case_run "settings saved onto a full disk" 0 env XDG_CONFIG_HOME="$full/config" "$planhost" settings --symbol-size 2 --start-number 3 --library 1
    check "  the old settings are intact" cmp -s "$full/config/Orvane/Stakewise/Stakewise.ini" settings-before.ini
    { printf '[Measured_Points]\r\n'; for i in $(seq 1 3000); do printf '%d\t%d.5\t1\t0\t\r\n' "$i" "$i"; done; } >many.txt
    case_run "project committed onto a full disk" 1 "$planhost" --project "$full/plan.db" import many.txt
    check "  the user is told" grep -q "cannot save the project" "$work/err"
    check "  the project opens, as it was" bash -c "'$planhost' --project '$full/plan.db' list | wc -l | grep -qx 1"
    umount "$full"
else
    echo "skipped: cannot mount a tmpfs here (needs root)"
fi

echo "== $failures failed"
[[ $failures -eq 0 ]]
