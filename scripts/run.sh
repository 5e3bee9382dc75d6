#!/usr/bin/env bash
# Starts vorlen from the native build tree. The window program is not built
# yet: until it is, this prints today's reminders of a sample database
# (made from vorlen/resources/sample.vcs) with the console commands.
set -euo pipefail
build=${1:-build/native}
vorlen="$build/vorlen/shell/vorlen"
if [[ ! -x "$vorlen" ]]; then
    echo "vorlen: not built yet; run make first."
    exit 1
fi
sample="$build/sample.vor"
if [[ ! -f "$sample" ]]; then
    "$vorlen" --new "$sample" --title "Sample database" >/dev/null
    "$vorlen" --import-vcs vorlen/resources/sample.vcs "$sample" >/dev/null
fi
"$vorlen" --info "$sample"
echo
echo "Today's reminders:"
"$vorlen" --reminders "$sample"
echo
exec "$vorlen" "${@:2}"
