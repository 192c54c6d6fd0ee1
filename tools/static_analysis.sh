#!/usr/bin/env bash
# clang-tidy and cppcheck on the program's own sources; any finding fails. Takes the build
# folder whose compile_commands.json lists them (tools/test.sh passes build-test).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-test}
folders='app|frame|game|mods|launch|troubleshooting|resources'
mapfile -t sources < <(git ls-files '*.cpp' | grep -E "^($folders)/")

# Both cores; clang-tidy reads the checks from .clang-tidy and fails on any of them.
run-clang-tidy-14 -quiet -p "$build" -j "$(nproc)" "$(pwd)/($folders)/.*\.cpp$" >"$build/clang-tidy.log" 2>&1 ||
    { grep -E 'warning:|error:' "$build/clang-tidy.log" | sort -u; echo "clang-tidy found faults" >&2; exit 1; }
echo "clang-tidy: ${#sources[@]} files, no findings"

cppcheck --quiet --error-exitcode=1 --enable=warning,style,performance,portability \
    --library=wxwidgets --std=c++17 --language=c++ --inline-suppr -I . \
    --suppress=missingIncludeSystem --suppress=unmatchedSuppression \
    "${sources[@]}"
echo "cppcheck: ${#sources[@]} files, no findings"
