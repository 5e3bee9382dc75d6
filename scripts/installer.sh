#!/usr/bin/env bash
# make installer: vorlen's installation media, built by gvbuild from the
# distribution manifest (tools/gvbuild/examples/distribution/vorlen.toml)
# with the files of both build trees, gathered first into a stage beside a
# copy of the manifest. The media (install.inf, data001.pak, the aux files,
# gvmain.exe, setup.exe, lzpunz2.dll and movexe.exe) land in OUT/media,
# build/installer/media unless told.
#   scripts/installer.sh NATIVE-TREE WIN32-TREE [OUT]
set -euo pipefail
native=$(realpath "$1")
win32=$(realpath "$2")
out=$(realpath -m "${3:-build/installer}")
cd "$(dirname "$0")/.."
stage=$out/stage

rm -rf "$out"
mkdir -p "$stage/program" "$stage/help" "$stage/sample" "$stage/engine"
strip -o "$stage/program/vorlen" "$native/vorlen/shell/vorlen"
cp vorlen/resources/icons/vorlen.svg "$stage/program/"
cp vorlen/resources/help/* "$stage/help/"
"$native/vorlen/shell/vorlen" --new "$stage/sample/sample.vor" --title "Sample database" >/dev/null
"$native/vorlen/shell/vorlen" --import-vcs vorlen/resources/sample.vcs "$stage/sample/sample.vor" >/dev/null
cp "$win32"/tools/language/gvenu.dll "$win32"/tools/language/gveng.dll "$stage/engine/"
cp tools/gvbuild/examples/distribution/vorlen.toml "$stage/"
"$native/tools/gvbuild/gvbuild" "$stage/vorlen.toml" "$out/media"
cp "$win32"/gvmain/gvmain.exe "$win32"/tools/setup/setup.exe "$win32"/tools/lzpunz2/lzpunz2.dll \
    "$win32"/tools/movexe/movexe.exe "$out/media/"
echo "vorlen's installation media: $out/media (start setup.exe; \"setup.exe /S\" installs unattended)"
