#!/usr/bin/env bash
# Builds the program and opens the demo data set in demo/ (ignored by git).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel 2
mkdir -p demo
build/src/cli/orvanek-cli -d demo info
