#!/usr/bin/env bash
# Installs the Debian packages a build needs. Quiet and quick when everything
# is already present, so that every make target can call it.
#   scripts/deps.sh native   what vorlen needs to build and run (make run)
#   scripts/deps.sh all      also the Win32 tree's (MinGW-w64, Wine) and the
#                            benchmarks' and the iCalendar client test's
#                            (calcurse, nsis, wixl) (make, make test, make bench)
set -euo pipefail

# libcanberra-pulse plays the alarms through PulseAudio; the sound test
# starts a pulseaudio server of its own and asks pactl what it plays.
# xdotool types into two running programs in the end-to-end clipboard test.
native=(cmake ninja-build g++ pkg-config libwxgtk3.2-dev libical-dev libicu-dev
        libcanberra-dev libcanberra-pulse libgoogle-perftools-dev libgtk-3-dev zlib1g-dev libtomlplusplus-dev libgtest-dev googletest
        tzdata xvfb xauth pulseaudio pulseaudio-utils libx11-dev xdotool)
# fonts-dejavu-core: the font that the install tests' product installs.
win32=(g++-mingw-w64-i686 libz-mingw-w64-dev wine wine32:i386 fonts-dejavu-core)
# nsis and wixl: the installers the install benchmark measures gvmain against.
bench=(remind calcurse nsis wixl)

wanted=("${native[@]}")
if [[ "${1:-all}" == all ]]; then
    wanted+=("${win32[@]}" "${bench[@]}")
fi

missing=()
for pkg in "${wanted[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$pkg")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

needs_i386=false
for pkg in "${missing[@]}"; do
    [[ "$pkg" == *:i386 ]] && needs_i386=true
done

sudo=""
if [[ $(id -u) -ne 0 ]]; then
    if ! command -v sudo >/dev/null; then
        echo "Missing Debian packages. As root, run:" >&2
        $needs_i386 && echo "  dpkg --add-architecture i386 && apt-get update" >&2
        echo "  apt-get install --no-install-recommends ${missing[*]}" >&2
        exit 1
    fi
    sudo="sudo"
fi

echo "Installing ${#missing[@]} missing Debian packages: ${missing[*]}"
if $needs_i386 && ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "Adding the i386 architecture (for Wine)..."
    $sudo dpkg --add-architecture i386
fi
echo "Updating the package lists..."
$sudo apt-get update -q
echo "Installing (this can take several minutes on a fresh machine)..."
# One line per package as it is unpacked and set up, instead of silence.
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends \
    -o Dpkg::Progress-Fancy=0 "${missing[@]}" | grep -E '^(Get:|Unpacking|Setting up)' || true
status=0
for pkg in "${missing[@]}"; do
    state=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    [[ "$state" == "install ok installed" ]] || { echo "Could not install $pkg" >&2; status=1; }
done
exit $status
