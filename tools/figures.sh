#!/usr/bin/env bash
# Repeats the reliability figures: hostile cases tried and the static analysis findings, from a
# run of the built suite (tools/test.sh builds build-test first).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-test}
cases=$("$build/tests/quorvant_tests" --gtest_list_tests --gtest_filter='Cases/HostileFolderTest.*' |
    grep -c '^  ')
asUser=$("$build/tests/quorvant_tests" --gtest_list_tests --gtest_filter='Cases/HostileFolderTest.*/AsUser_*' |
    grep -c '^  ')
echo "hostile folder cases: $cases ($asUser of them as the unprivileged user nobody), each through every flow"
echo "static analysis findings fixed: $(git log --oneline --grep='^Static analysis:' | wc -l) commits"
git log --format='  %h %s' --grep='^Static analysis:'
tools/static_analysis.sh "$build" | sed 's/^/now: /'
