#!/usr/bin/env bash
# Builds the installation media of the install tests with the native build
# tool: the products of tests/data/gvmain/products with the engine's DLLs,
# a font and a self-registering server of the Win32 tree as their files,
# and the engine, the launcher and the file mover beside each script; and
# vorlen's own media (media/vorlen/media), as "make installer" makes them.
#   build_media.sh GVBUILD WIN32-TREE PRODUCTS OUTPUT
set -euo pipefail
gvbuild=$1
tree=$2
products=$3
out=$4

if [[ ! -x "$gvbuild" ]]; then
    echo "No build tool at $gvbuild: build the native tree first (make native)" >&2
    exit 1
fi
font=/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf
[[ -f "$font" ]] || { echo "No font file at $font (Debian package fonts-dejavu-core)" >&2; exit 1; }

rm -rf "$out"
stage="$out/stage"
mkdir -p "$stage/aux"
cp -r "$products"/. "$stage"/
cp "$tree"/tools/language/gvenu.dll "$tree"/tools/language/gveng.dll "$tree"/tools/lzpunz2/lzpunz2.dll \
    "$tree"/tests/gvmain/test_server.dll "$stage/aux/"
cp "$font" "$stage/aux/gvtest.ttf"
# Binary-like bytes that differ on every build, and files sized for the disks.
head -c 20000 /dev/urandom >"$stage/files/data.bin"
head -c 8000 /dev/urandom >"$stage/files/first.bin"
head -c 40000 /dev/urandom >"$stage/files/second.bin"

for manifest in "$stage"/*.toml; do
    name=$(basename "$manifest" .toml)
    "$gvbuild" "$manifest" "$out/$name" >/dev/null
    first="$out/$name"
    [[ -d "$first/disk001" ]] && first="$first/disk001"
    cp "$tree"/gvmain/gvmain.exe "$tree"/tools/setup/setup.exe "$tree"/tools/lzpunz2/lzpunz2.dll \
        "$tree"/tools/movexe/movexe.exe "$first/"
done

# vorlen's own media, as "make installer" builds them, from the native tree
# the build tool belongs to.
"$(dirname "$0")/../../../scripts/installer.sh" "$(dirname "$gvbuild")/../.." "$tree" "$out/vorlen" >/dev/null
