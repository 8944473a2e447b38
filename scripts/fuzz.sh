#!/usr/bin/env bash
# Builds the fuzz targets in a configured fuzz build ($1) and runs each for
# $2 seconds from its seed corpus. New inputs go to a scratch folder, so the
# committed corpus stays as it is.
set -euo pipefail
build=$1
seconds=${2:-20}
root=$(cd "$(dirname "$0")/.." && pwd)
targets=(play_fuzz roomfile_fuzz script_fuzz)
cmake --build "$build" --target "${targets[@]}"
for target in "${targets[@]}"; do
    work="$build/fuzz-work/$target"
    mkdir -p "$work"
    echo "-- $target for ${seconds}s"
    ASAN_OPTIONS=detect_leaks=0 "$build/bin/$target" -max_total_time="$seconds" \
        -print_final_stats=0 -artifact_prefix="$build/fuzz-work/$target-" \
        "$work" "$root/tests/fuzz/corpus/${target%_fuzz}" 2>&1 | tail -n 3
done
