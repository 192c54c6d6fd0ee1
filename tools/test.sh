#!/usr/bin/env bash
# Sets up what the tests need, builds Quorvant with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test on a virtual X display.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
source tools/deps.sh

install_missing "${build_packages[@]}" libgtk-3-dev libgtest-dev xvfb xauth xdotool \
    desktop-file-utils appstream lintian dpkg-dev file clang-tidy-14 cppcheck \
    clang-14 libclang-rt-14-dev

cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVANT_SANITIZE=ON >/dev/null
cmake --build build-test -j"$(nproc)"

# clang-tidy and cppcheck on the program's own sources, with no finding allowed.
tools/static_analysis.sh build-test
tools/fuzz.sh 40

# Any sanitizer report ends the process with a failure, which fails its test.
export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:abort_on_error=0:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$root/tests/lsan.supp:print_suppressions=0
export GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1
# -noreset: the server must not restart between two test programs, which refuses the next one.
xvfb-run -a -s '-screen 0 1600x1200x24 -noreset' \
    ctest --test-dir build-test --output-on-failure -j"$(nproc)"
