#!/usr/bin/env bash
# Builds the program and opens it on the demo data set in demo/ (ignored by git), which is
# made on the first run. Running never changes the repository.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel 2 --target orvanek orvanek-cli
if [ ! -f demo/data1.dat ]; then
    build/src/cli/orvanek-cli make-demo demo --from 1996 --to 2008
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display here: showing the demo data set with 'orvanek-cli info' instead of the window."
    exec build/src/cli/orvanek-cli -d demo info
fi
exec build/src/app/orvanek demo
