#!/usr/bin/env bash
# Starts vorlen from the native build tree on the user's display, with the
# user's own settings. Without a display it says so and prints today's
# reminders of a sample database (made from vorlen/resources/sample.vcs)
# with the console commands instead.
set -euo pipefail
build=${1:-build/native}
shift || true
vorlen="$build/vorlen/shell/vorlen"
if [[ ! -x "$vorlen" ]]; then
    echo "vorlen: not built yet; run make first."
    exit 1
fi
if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
    exec "$vorlen" "$@"
fi
echo "vorlen: no display (neither DISPLAY nor WAYLAND_DISPLAY is set), so the window program cannot start."
echo "Here are today's reminders of the sample database, from the console commands (vorlen --help)."
sample="$build/sample.vor"
if [[ ! -f "$sample" ]]; then
    "$vorlen" --new "$sample" --title "Sample database" >/dev/null
    "$vorlen" --import-vcs vorlen/resources/sample.vcs "$sample" >/dev/null
fi
"$vorlen" --info "$sample"
echo
echo "Today's reminders:"
"$vorlen" --reminders "$sample"
