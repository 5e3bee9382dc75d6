#!/usr/bin/env bash
# Runs the fuzz targets of the fuzz tree for a bounded time each, every one
# on a corpus seeded with files written here. The third argument picks
# targets (default: all), e.g. "operation_log".
set -euo pipefail
tree=${1:-build/fuzz}
seconds=${2:-60}
targets=${3:-"data_file operation_log icalendar vcalendar install_script"}

seed_data_file() {
    local corpus=$1
    "$tree/vorlen/shell/vorlen" --new "$corpus/new.vor" --owner "Seed" --title "Seed file" >/dev/null
    # A QUIB version 10 file with one zeroed record.
    { printf 'U\x0a1 \x1a'; head -c 174 /dev/zero; printf 'U\x1a'; } > "$corpus/old.cal"
}

# The sample files of today's calendar programs.
seed_icalendar() {
    cp "$(dirname "$0")"/../tests/data/icalendar/*.ics "$1"/
}

# Files as the calendar programs and phones of the vCalendar era write them.
seed_vcalendar() {
    cp "$(dirname "$0")"/../tests/data/vcalendar/*.vcs "$1"/
}

# Seeds written by the log's own writer, so that they follow the format.
seed_operation_log() {
    "$tree/fuzz/operation_log_seeds" "$1"
}

seed_install_script() {
    "$tree/fuzz/install_script_seeds" "$1"
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
