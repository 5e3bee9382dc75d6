#!/usr/bin/env bash
# Installs the Debian packages the two build trees need. Quiet and quick when
# everything is already present, so that every make target can call it.
set -euo pipefail

native=(cmake ninja-build g++ pkg-config libwxgtk3.2-dev libical-dev libicu-dev
        libcanberra-dev libgoogle-perftools-dev libgtk-3-dev zlib1g-dev libgtest-dev googletest tzdata xvfb xauth)
win32=(g++-mingw-w64-i686 libz-mingw-w64-dev wine wine32:i386)
bench=(remind)

missing=()
for pkg in "${native[@]}" "${win32[@]}" "${bench[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$pkg")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"
echo "Installing missing packages: ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
