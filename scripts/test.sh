#!/usr/bin/env bash
# Builds everything (with the benchmarks, so they keep compiling), makes the Debian package
# from the same build so that the packaging cannot rot, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANEK_BUILD_TESTS=ON \
    -DORVANEK_BUILD_BENCH=ON >/dev/null
cmake --build build --parallel 2
# Every text translated, none left over (translations/*.ts against the sources).
scripts/check-translations.sh
# The package takes only what the install rules name (the two programs, stripped, and
# their files), so this build's tree gives the same files as a Release one (compiled at -O2
# rather than -O3) in seconds instead of a second build. scripts/check-package.sh makes it
# from a Release build and checks it.
rm -f build/orvanek_*.deb
(cd build && cpack -G DEB >/dev/null)
echo "Debian package: $(ls build/orvanek_*.deb)"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure
