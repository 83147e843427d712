#!/usr/bin/env bash
# Runs every libFuzzer target of a fuzz build (the list fuzz/CMakeLists.txt
# writes into BUILD/fuzzers.txt) for SECONDS seconds each, from its seed
# corpus, and says how many inputs each one ran. Fails as soon as a target
# finds a crash, a leak or undefined behaviour; its log and the input that did
# it stay in BUILD/fuzz-logs and BUILD/fuzz-artifacts.
# Usage: tools/run-fuzzers.sh BUILD SECONDS
set -euo pipefail
build=$(realpath "${1:?usage: $0 BUILD SECONDS}")
seconds=${2:?usage: $0 BUILD SECONDS}

rm -rf "$build/seeds"
"$build/bin/fuzz_seeds" "$build/seeds"
mkdir -p "$build/fuzz-logs" "$build/fuzz-artifacts"

while read -r target options; do
    [ -n "$target" ] || continue
    corpus="$build/corpus/$target"
    seeds="$build/seeds/$target"
    log="$build/fuzz-logs/$target.log"
    mkdir -p "$corpus"
    [ -d "$seeds" ] || seeds=
    # shellcheck disable=SC2086 # the options are separate words
    if ! "$build/bin/$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$build/fuzz-artifacts/$target-" $options \
        "$corpus" ${seeds:+"$seeds"} >"$log" 2>&1; then
        tail -n 60 "$log"
        echo "$target: FAILED (log: $log)" >&2
        exit 1
    fi
    runs=$(sed -n 's/^Done \([0-9]*\) runs in \([0-9]*\) second.*/\1 runs in \2 s/p' "$log")
    echo "$target: ${runs:-? runs (no summary in $log)}"
done <"$build/fuzzers.txt"
