#!/usr/bin/env bash
# Runs the fuzz targets of the fuzz tree for a bounded time each, every one
# on a corpus seeded with files written here. The third argument picks
# targets (default: all), e.g. "operation_log".
set -euo pipefail
tree=${1:-build/fuzz}
seconds=${2:-60}
targets=${3:-"data_file operation_log"}

seed_data_file() {
    local corpus=$1
    "$tree/vorlen/shell/vorlen" --new "$corpus/new.vor" --owner "Seed" --title "Seed file" >/dev/null
    # A QUIB version 10 file with one zeroed record.
    { printf 'U\x0a1 \x1a'; head -c 174 /dev/zero; printf 'U\x1a'; } > "$corpus/old.cal"
}

seed_operation_log() {
    local corpus=$1
    # View 0, language 9, build values 1 and 2, pace 100 ms, product "Vorlen".
    local header='\0\0\0\0\x09\0\0\0\x01\0\0\0\x02\0\0\0\x64\0\0\0\x06Vorlen'
    printf "$header" > "$corpus/empty.log"
    {
        printf "$header"
        printf '\0\0\0\0\0\0\0\0\x06C:\\App'                        # directory created
        printf '\x02\0\0\0\x01\0\0\0\x01a\xff\x01\0b'                # file moved, long-form string
        printf '\x07\0\0\0\x02\0\0\0\x01w\x01s\x01e\x01\0\0\0'       # INI entry added, mode 2
        printf '\x13\0\0\0\0\0\0\0\x01K\x02\0\0\0\x01v\x01\0\0\0\x02\0\0\0ab'  # registry value changed
        printf '\x0f\0\0\0\x01\0\0\0\x01G'                           # program item deleted
        head -c 1112 /dev/zero
        printf '\x16\0\0\0\0\0\0\0\x05\0\0\0\x01\0\0\0\xff'          # user data
    } > "$corpus/records.log"
}

mkdir -p "$tree/artifacts"
for target in $targets; do
    corpus="$tree/corpus/$target"
    mkdir -p "$corpus"
    [[ -n "$(ls -A "$corpus")" ]] || "seed_$target" "$corpus"
    echo "fuzzing $target for $seconds s"
    "$tree/fuzz/${target}_fuzz" -max_total_time="$seconds" -max_len=8192 -print_final_stats=1 \
        -artifact_prefix="$tree/artifacts/" "$corpus"
done
