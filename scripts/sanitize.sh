#!/usr/bin/env bash
# Builds the program and its tests with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan and runs every test there: any invalid memory access or undefined behaviour
# fails the test that met it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
    -DORVANEK_SANITIZE=ON -DORVANEK_BUILD_TESTS=ON -DORVANEK_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan --parallel 2
# Leaks are not checked: the window system's libraries keep what they allocate until exit.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1:halt_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
QT_QPA_PLATFORM=offscreen ctest --test-dir build-asan --output-on-failure
