#!/usr/bin/env bash
# Builds everything and runs every test: once in a normal build (build/), once under
# AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/); then a short coverage-guided
# fuzzing of every reader with libFuzzer (build-fuzz/, clang).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/environment.sh
vuska_test_locale
bash scripts/deps.sh
export QT_QPA_PLATFORM=offscreen

# Warnings are errors in the developers' builds (not by default, for packagers).
bash scripts/build.sh build -DVUSKA_BUILD_TESTS=ON -DVUSKA_WERROR=ON
# A test per core at a time: each runs in a sandbox of its own, and most use one core.
(cd build && ctest --output-on-failure --timeout 300 -j "$(nproc)")

bash scripts/build.sh build-asan -DVUSKA_BUILD_TESTS=ON -DVUSKA_WERROR=ON -DVUSKA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd build-asan && ctest --output-on-failure --timeout 600 -j "$(nproc)")

bash scripts/fuzz.sh --quick --jobs 2
