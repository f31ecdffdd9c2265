#!/usr/bin/env bash
# Builds everything (with the benchmarks, so they keep compiling) and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANEK_BUILD_TESTS=ON \
    -DORVANEK_BUILD_BENCH=ON >/dev/null
cmake --build build --parallel 2
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure
