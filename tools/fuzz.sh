#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each for a bounded time on a copy of its seed corpus;
# a crash, a failed check or a sanitizer report fails the run. Usage: tools/fuzz.sh [seconds-per-target]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-40}

CC=clang-14 CXX=clang++-14 cmake -S fuzz -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j2 >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
for seeds in fuzz/corpus/*/; do
    target=$(basename "$seeds")
    # The fuzzer adds what it finds to the corpus directory, so it works on a copy.
    mkdir -p "$work/$target/corpus" "$work/$target/artifacts"
    cp "$seeds"* "$work/$target/corpus/"
    log=$work/$target/log
    if build-fuzz/"$target" -max_total_time="$seconds" -max_len=65536 -print_final_stats=1 \
        -artifact_prefix="$work/$target/artifacts/" "$work/$target/corpus" >"$log" 2>&1 &&
        ! grep -q "runtime error:\|ERROR: AddressSanitizer\|ERROR: libFuzzer" "$log"; then
        echo "$target: $(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$') executions, no finding"
    else
        echo "$target: FAILED"
        tail -n 60 "$log"
        status=1
    fi
done
exit "$status"
