#!/usr/bin/env bash
# Runs a program of the Win32 tree under Wine in the tree's own prefix,
# making the prefix first when it is missing.
set -euo pipefail
source "$(dirname "$0")/wine_prefix.sh"
win32=$1
shift
export WINEPREFIX="$PWD/$win32/wineprefix" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Without a display Wine makes no top-level windows (DDE, dialogs): the
# prefix's desktop and the program then share one Xvfb for this run.
if [[ -z "${DISPLAY:-}" ]]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$win32" "$@"
fi
if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    mkdir -p "$WINEPREFIX"
    prepare_wine_prefix
fi
wine "$@"
