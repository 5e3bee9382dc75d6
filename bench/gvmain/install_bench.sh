#!/usr/bin/env bash
# Installing a generated product of 2,000 files (about 150 MB: text-like,
# binary-like and incompressible) unattended, four ways under Wine: gvmain
# (media built by gvbuild, "setup.exe /S"), the silent install of an NSIS
# installer of the same files (makensis, zlib), msiexec /qn of an MSI of
# them (wixl), and a plain xcopy of the unpacked files. Then the product
# removed again, unattended: gvmain's uninstaller ("/S", through its copy
# at the drive root and the file mover), NSIS's uninstaller written by the
# same script ("/S") and "msiexec /x ... /qn". Three rounds in turned
# orders; prints each round's times and gvmain's ratios, then their ranges.
# Targets: gvmain installs at least as fast as NSIS and faster than
# msiexec, and removes at least as fast as the faster of the two.
#   install_bench.sh NATIVE-TREE WIN32-TREE
set -euo pipefail
native=$1
win32=$2
here=$(cd "$(dirname "$0")/../.." && pwd)
source "$here/scripts/wine_prefix.sh"
for tool in makensis wixl; do
    command -v $tool >/dev/null || { echo "install_bench needs $tool (Debian packages nsis, wixl)" >&2; exit 1; }
done
if [[ -z "${DISPLAY:-}" ]]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
export WINEPREFIX="$PWD/$win32/wineprefix" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[[ -f "$WINEPREFIX/system.reg" ]] || { mkdir -p "$WINEPREFIX"; prepare_wine_prefix; }

work="$PWD/$win32/install_bench"
rm -rf "$work"
mkdir -p "$work/files"
cd "$work"

# The product: sizes from 10 to 140 KB, every third file of each kind.
declare -a names
for ((i = 0; i < 2000; i++)); do
    dir=files/d$((i / 100))
    mkdir -p "$dir"
    size=$((10240 + (i * 7919) % 133120))
    name="$dir/f$i.dat"
    case $((i % 3)) in
    0) head -c $size < <(yes "line $i of a text-like file, with words, numbers $((i * 31)) and more words") >"$name" ;;
    1) { head -c $((size / 4)) /dev/urandom; head -c $((size - size / 4)) /dev/zero; } >"$name" ;;
    2) head -c $size /dev/urandom >"$name" ;;
    esac
    names+=("$name")
done
echo "product: ${#names[@]} files, $(du -sm files | cut -f1) MB"

# gvbuild: incompressible files are stored, as a packer would choose.
{
    printf '[product]\nname = "Gv Bench"\n[packaging]\nmode = "one-directory"\nlevel = 6\n'
    printf '[variables]\ni = ""\n[[aux_file]]\nsource = "gvenu.dll"\n'
    for ((i = 0; i < 2000; i++)); do
        n=${names[$i]}
        win=${n//\//\\\\}
        compressed=true
        ((i % 3 == 2)) && compressed=false
        printf '[[file]]\nsource = "%s"\ndestination = "$i\\\\%s"\ncompressed = %s\n' "$n" "${win#files\\\\}" $compressed
    done
    printf '[[event]]\ntype = "argument"\nvariable = "i"\nnumber = "1"\n'
    printf '[[event]]\ntype = "install files"\nfile_set = "main"\n'
    printf '[[event]]\ntype = "install uninstaller"\ndirectory = "$i\\\\uninst"\n'
    printf '[[event]]\ntype = "finish"\nkind = 1\nshow_dialog = false\n'
} >bench.toml
cp "$OLDPWD/$win32/tools/language/gvenu.dll" .
"$OLDPWD/$native/tools/gvbuild/gvbuild" bench.toml media >/dev/null
cp "$OLDPWD/$win32/gvmain/gvmain.exe" "$OLDPWD/$win32/tools/setup/setup.exe" \
    "$OLDPWD/$win32/tools/lzpunz2/lzpunz2.dll" "$OLDPWD/$win32/tools/movexe/movexe.exe" media/

# NSIS, zlib.
{
    printf 'Name "Gv Bench"\nOutFile "nsis_setup.exe"\nSetCompressor zlib\nRequestExecutionLevel user\n'
    printf 'InstallDir "$TEMP\\nsisbench"\nSection\n'
    for ((d = 0; d < 20; d++)); do
        printf 'SetOutPath "$INSTDIR\\d%d"\nFile "files/d%d/*.dat"\n' $d $d
    done
    printf 'WriteUninstaller "$INSTDIR\\uninst.exe"\nSectionEnd\nSection "Uninstall"\n'
    for ((d = 0; d < 20; d++)); do
        printf 'Delete "$INSTDIR\\d%d\\*.dat"\nRMDir "$INSTDIR\\d%d"\n' $d $d
    done
    printf 'Delete "$INSTDIR\\uninst.exe"\nRMDir "$INSTDIR"\nSectionEnd\n'
} >bench.nsi
makensis -V1 bench.nsi

# An MSI of the same files, one component a file.
{
    printf '<?xml version="1.0"?>\n<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">\n'
    printf '<Product Id="*" Name="Gv Bench" Language="1033" Version="1.0.0" Manufacturer="Tolvane" UpgradeCode="2f9b1c8e-5a57-4a5e-9a1e-6f0b1e6c4d21">\n'
    printf '<Package InstallerVersion="200" Compressed="yes" InstallScope="perUser"/>\n'
    printf '<Media Id="1" Cabinet="bench.cab" EmbedCab="yes"/>\n'
    printf '<Directory Id="TARGETDIR" Name="SourceDir"><Directory Id="INSTALLDIR" Name="msibench">\n'
    for ((d = 0; d < 20; d++)); do
        printf '<Directory Id="D%d" Name="d%d">\n' $d $d
        for ((i = d * 100; i < d * 100 + 100; i++)); do
            printf '<Component Id="C%d" Guid="%s"><File Id="F%d" Source="files/d%d/f%d.dat" KeyPath="yes"/></Component>\n' \
                $i "$(cat /proc/sys/kernel/random/uuid)" $i $d $i
        done
        printf '</Directory>\n'
    done
    printf '</Directory></Directory>\n<Feature Id="All" Level="1">\n'
    for ((i = 0; i < 2000; i++)); do printf '<ComponentRef Id="C%d"/>\n' $i; done
    printf '</Feature>\n</Product>\n</Wix>\n'
} >bench.wxs
wixl -o bench.msi bench.wxs

wineserver -p >/dev/null 2>&1 || true  # one may already be kept alive
wine cmd /c exit >/dev/null 2>&1  # the prefix's services running before the first timing

# Every tool installs to drive R:, a fresh directory in RAM where there is
# one. On ext4, creating files within seconds of deleting thousands (the
# round or run before) scans the freed inodes, and that cost fell on
# whichever tool ran first rather than on the slowest.
dest=$(mktemp -d /dev/shm/install_bench.XXXXXX 2>/dev/null || mktemp -d "$work/destination.XXXXXX")
ln -sfn "$dest" "$WINEPREFIX/dosdevices/r:"
trap 'rm -rf "$dest"; rm -f "$WINEPREFIX/dosdevices/r:" "$WINEPREFIX/drive_c/windows/movexe.exe"' EXIT
target='R:\'

# Runs the Windows command line and prints its seconds.
timed() {
    local start end
    start=$(date +%s.%N)
    wine "$@" >/dev/null 2>&1 || true
    end=$(date +%s.%N)
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }'
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
count() { find "$dest/$1" -type f 2>/dev/null | wc -l; }

install() {
    case $1 in
    xcopy) timed xcopy /E /I /Q "$(winepath -w "$work/files")" "${target}xcopybench" ;;
    gvmain) timed "$(winepath -w "$work/media/setup.exe")" "${target}gvbench" /S ;;
    NSIS) timed "$(winepath -w "$work/nsis_setup.exe")" /S "/D=${target}nsisbench" ;;
    msiexec) timed msiexec /i "$(winepath -w "$work/bench.msi")" /qn "INSTALLDIR=${target}msibench" ;;
    esac
}

# Both uninstallers hand over to a copy of themselves and end at once: each
# is timed until the last of its files is gone (for gvmain, the copy at the
# drive root that the file mover removes last; the launcher put the mover
# into the Windows directory).
gone() {
    local start=$1 end
    shift
    local limit=$(($(date +%s) + 300))
    while [[ -e "$1" || -e "${2:-$1}" ]] && (($(date +%s) < limit)); do sleep 0.02; done
    end=$(date +%s.%N)
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }'
}
remove() {
    local start
    start=$(date +%s.%N)
    case $1 in
    gvmain)
        wine "${target}gvbench\\uninst\\gvmain.exe" /S >/dev/null 2>&1 || true
        gone "$start" "$dest/gvbench" "$dest/gvmain.exe"
        ;;
    NSIS)
        wine "${target}nsisbench\\uninst.exe" /S >/dev/null 2>&1 || true
        gone "$start" "$dest/nsisbench"
        ;;
    # Wine's msiexec finds the files to remove by the directory table again,
    # so it is told where they went.
    msiexec) timed msiexec /x "$(winepath -w "$work/bench.msi")" /qn "INSTALLDIR=${target}msibench" ;;
    esac
}

# Rounds with the order turned by one each time, so that no tool always
# runs first or after the same neighbour.
tools=(xcopy gvmain NSIS msiexec)
removers=(gvmain NSIS msiexec)
rounds=3
declare -A took
for ((round = 0; round < rounds; round++)); do
    rm -rf "${dest:?}"/*
    for ((k = 0; k < ${#tools[@]}; k++)); do
        tool=${tools[(k + round) % ${#tools[@]}]}
        took[$tool]=$(install "$tool")
    done
    printf 'round %d: installed files: xcopy %d, gvmain %d, NSIS %d, msiexec %d\n' $((round + 1)) \
        "$(count xcopybench)" "$(count gvbench)" "$(count nsisbench)" "$(count msibench)"
    printf '  install: xcopy %.2f s, gvmain %.2f s, NSIS %.2f s, msiexec %.2f s;' \
        "${took[xcopy]}" "${took[gvmain]}" "${took[NSIS]}" "${took[msiexec]}"
    printf ' gvmain/xcopy %s, gvmain/NSIS %s, gvmain/msiexec %s\n' "$(ratio "${took[gvmain]}" "${took[xcopy]}")" \
        "$(ratio "${took[gvmain]}" "${took[NSIS]}")" "$(ratio "${took[gvmain]}" "${took[msiexec]}")"
    for ((k = 0; k < ${#removers[@]}; k++)); do
        tool=${removers[(k + round) % ${#removers[@]}]}
        took[$tool-x]=$(remove "$tool")
    done
    faster=$(awk -v a="${took[NSIS-x]}" -v b="${took[msiexec-x]}" 'BEGIN { print (a < b ? a : b) }')
    printf '  left after removal: gvmain %d, NSIS %d, msiexec %d\n' \
        "$(count gvbench)" "$(count nsisbench)" "$(count msibench)"
    printf '  removal: gvmain %.2f s, NSIS %.2f s, msiexec %.2f s; gvmain/faster %s\n' \
        "${took[gvmain-x]}" "${took[NSIS-x]}" "${took[msiexec-x]}" "$(ratio "${took[gvmain-x]}" "$faster")"
    echo "$(ratio "${took[gvmain]}" "${took[NSIS]}") $(ratio "${took[gvmain]}" "${took[msiexec]}")" \
        "$(ratio "${took[gvmain-x]}" "$faster")" >>"$work/ratios"
done

# A target counts as met only when every round meets it.
range() { awk -v c="$1" -v limit="$2" -v strict="$3" '
    { v = $c; if (NR == 1 || v < lo) lo = v; if (NR == 1 || v > hi) hi = v }
    END { met = strict ? hi < limit : hi <= limit; printf "%.2f-%.2f (%s)", lo, hi, met ? "met" : "NOT met" }' \
    "$work/ratios"; }
echo "over $rounds rounds:"
echo "  gvmain/NSIS install    $(range 1 1 0), target <= 1"
echo "  gvmain/msiexec install $(range 2 1 1), target < 1"
echo "  gvmain/faster removal  $(range 3 1 0), target <= 1"
