#!/usr/bin/env bash
# Runs every fuzz target of the fuzz tree for a bounded time, each on a
# corpus seeded with files the program writes itself.
set -euo pipefail
tree=${1:-build/fuzz}
seconds=${2:-60}

corpus="$tree/corpus/data_file"
mkdir -p "$corpus"
if [[ ! -e "$corpus/new.vor" ]]; then
    "$tree/vorlen/shell/vorlen" --new "$corpus/new.vor" --owner "Seed" --title "Seed file" >/dev/null
    # A QUIB version 10 file with one zeroed record.
    { printf 'U\x0a1 \x1a'; head -c 174 /dev/zero; printf 'U\x1a'; } > "$corpus/old.cal"
fi
echo "fuzzing the data file reader for $seconds s"
mkdir -p "$tree/artifacts"
"$tree/fuzz/data_file_fuzz" -max_total_time="$seconds" -max_len=8192 -print_final_stats=1 \
    -artifact_prefix="$tree/artifacts/" "$corpus"
