#!/usr/bin/env bash
# Runs a program of the Win32 tree under Wine in the tree's own prefix,
# making the prefix first when it is missing.
set -euo pipefail
win32=$1
shift
export WINEPREFIX="$PWD/$win32/wineprefix" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
fi
wine "$@"
