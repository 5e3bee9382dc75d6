#!/usr/bin/env bash
# Starts vorlen from the native build tree. Until the window program is
# built, it shows the console commands at work on a sample database.
set -euo pipefail
build=${1:-build/native}
vorlen="$build/vorlen/shell/vorlen"
if [[ ! -x "$vorlen" ]]; then
    echo "vorlen: not built yet; run make first."
    exit 1
fi
sample="$build/sample.vor"
[[ -f "$sample" ]] || "$vorlen" --new "$sample" --title "Sample database" >/dev/null
"$vorlen" --info "$sample"
exec "$vorlen" "${@:2}"
