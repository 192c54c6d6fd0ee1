#!/usr/bin/env bash
# Builds the benchmark (Release, no sanitizers) and prints the table of the program's operations,
# its start-up and its peak memory, each beside its floor measured in the same run:
#   tools/bench.sh [--quick]
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-bench

if [ "${1:-}" != --on-display ]; then
    source tools/deps.sh
    install_missing "${build_packages[@]}" libgtk-3-dev libx11-dev libxtst-dev xvfb xauth
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DQUORVANT_SANITIZE=OFF \
        -DQUORVANT_TESTS=OFF -DQUORVANT_BENCH=ON >/dev/null
    cmake --build "$build" -j2 >/dev/null
    exec xvfb-run -a -s '-screen 0 1600x1200x24 -noreset' "$0" --on-display "$@"
fi
shift
quick=${1:-}

work=$(mktemp -d /tmp/quorvant-bench-XXXXXX)
trap 'rm -rf "$work"' EXIT
results=$work/results

# Start-up and memory, out of process: the program and the bare frame on the same folders.
for modules in 10 1000 10000; do
    runs=7
    [ "$modules" -ge 10000 ] && runs=5
    [ "$quick" = --quick ] && runs=2
    "$build/bench/quorvant_bench_game" "$work/game-$modules" "$modules"
    program=$("$build/bench/quorvant_startup_driver" "$build/quorvant" "$work/game-$modules" "$runs")
    bare=$("$build/bench/quorvant_startup_driver" "$build/bench/quorvant_bare_frame" \
        "$work/game-$modules" "$runs")
    printf 'START\t%s\t%s\t%s\n' "$modules" "${program#START$'\t'}" "${bare#START$'\t'}" >>"$results"
    rm -rf "$work/game-$modules"
done

# The operations, in process.
GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1 "$build/bench/quorvant_bench" $quick >>"$results"

awk -F'\t' '
function ms(t) {
    if (t >= 100) return sprintf("%.0f ms", t)
    if (t >= 10) return sprintf("%.1f ms", t)
    if (t >= 1) return sprintf("%.2f ms", t)
    return sprintf("%.0f µs", t * 1000)
}
function count(n,   s, grouped) {
    s = sprintf("%d", n)
    grouped = ""
    while (length(s) > 3) {
        grouped = "," substr(s, length(s) - 2) grouped
        s = substr(s, 1, length(s) - 3)
    }
    return s grouped
}
BEGIN {
    print "| operation | size | runs | median | floor | ratio |"
    print "|---|---|---:|---:|---:|---:|"
}
$1 == "START" {
    # START modules, then runs, total, answered and peak of the program and of the bare frame
    size = count($2) " module files"
    printf "| start-up to the main window | %s | %d | %s | %s | %.2f |\n", size, $3, ms($4), ms($8), $4 / $8
    answered[size] = sprintf("| after the chooser'"'"'s answer | %s | %d | %s | %s | %.2f |", size, $3, ms($5), ms($9), $5 / $9)
    memory[size] = sprintf("| peak memory (VmHWM) after start-up | %s | %d | %.1f MB | %.1f MB | %.2f |", size, $3, $6 / 1024, $10 / 1024, $6 / $10)
    order[++n] = size
}
$1 == "ROW" {
    printf "| %s | %s | %d | %s | %s | %.2f |\n", $2, $3, $4, ms($5), ms($6), $5 / $6
}
END {
    print ""
    print "Start-up, the part from the chooser'"'"'s answer to the main window (floor: the bare frame):"
    print ""
    print "| operation | size | runs | median | floor | ratio |"
    print "|---|---|---:|---:|---:|---:|"
    for (i = 1; i <= n; ++i) print answered[order[i]]
    print ""
    print "| memory | size | runs | program | bare frame | ratio |"
    print "|---|---|---:|---:|---:|---:|"
    for (i = 1; i <= n; ++i) print memory[order[i]]
}' "$results"
