#!/usr/bin/env bash
# Starts vorlen from the native build tree.
set -euo pipefail
build=${1:-build/native}
if [[ ! -x "$build/vorlen/shell/vorlen" ]]; then
    echo "vorlen: the application is not built yet (only its event core exists so far); nothing to start."
    exit 0
fi
exec "$build/vorlen/shell/vorlen" "${@:2}"
