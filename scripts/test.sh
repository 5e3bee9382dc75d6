#!/usr/bin/env bash
# Runs the tests of both build trees and prints one closing count:
# the native tree with ctest directly, the Win32 tree under Wine in a fresh
# prefix with one wineserver kept alive for all its test programs.
set -uo pipefail
source "$(dirname "$0")/wine_prefix.sh"
native=${1:-build/native}
win32=${2:-build/win32}
jobs=${JOBS:-2}

export WINEPREFIX="$PWD/$win32/wineprefix" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

passed=0
failed=0
status=0

# Adds the counts of ctest's summary line "N% tests passed, F tests failed out of T".
count() {
    local summary
    summary=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n 1)
    if [[ -z "$summary" ]]; then
        status=1
        return
    fi
    local f t
    f=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$summary")
    t=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$summary")
    failed=$((failed + f))
    passed=$((passed + t - f))
}

run_ctest() {
    local dir=$1 log
    log=$(mktemp)
    (cd "$dir" && ctest --output-on-failure -j "$jobs") 2>&1 | tee "$log"
    [[ ${PIPESTATUS[0]} -eq 0 ]] || status=1
    count "$log"
    rm -f "$log"
}

run_ctest "$native"

# Wine makes top-level windows (DDE conversations, dialogs) only with a
# display, and a prefix's desktop keeps the display it was started with:
# one Xvfb serves the prefix from its creation to the last test.
start_display() {
    local numberFile
    numberFile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$numberFile" >/dev/null 2>&1 &
    xvfbPid=$!
    for _ in $(seq 100); do
        [[ -s "$numberFile" ]] && break
        sleep 0.1
    done
    export DISPLAY=":$(cat "$numberFile")"
    rm -f "$numberFile"
}

[[ -n "${DISPLAY:-}" ]] || start_display
rm -rf "$WINEPREFIX" && mkdir -p "$WINEPREFIX"
wineserver -p >/dev/null 2>&1
prepare_wine_prefix
run_ctest "$win32"
wineserver -k >/dev/null 2>&1
[[ -z "${xvfbPid:-}" ]] || kill "$xvfbPid"

echo "tests: $passed passed, $failed failed"
exit $status
