#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz and runs each for SECONDS seconds
# (first argument, default 60), one after the other: the record loader, the date parser,
# the SILSO reader, the import file, pristroj.dat, Motfakul.dat, the sheet's code and the
# settings file.
#
#     scripts/fuzz.sh [SECONDS]
#
# Corpora grow in fuzz-out/<target>/corpus, the seeds are in fuzz-out/<target>/seeds, and an
# input that crashes is saved as fuzz-out/<target>/crash-<sha1> (likewise leak-, timeout-,
# oom-). Exit status 1 when a target found something.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -eq 0 ]; then
    echo "usage: scripts/fuzz.sh [SECONDS]" >&2
    exit 2
fi

scripts/install-deps.sh clang libclang-rt-14-dev

export CC=clang CXX=clang++
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DORVANEK_BUILD_FUZZ=ON -DORVANEK_BUILD_TESTS=OFF -DORVANEK_BUILD_BENCH=OFF >/dev/null
targets=(records dates silso import instrument butterfly sheetcode settings)
cmake --build build-fuzz --parallel 2 \
    --target orvanek_fuzz_seeds "${targets[@]/#/orvanek_fuzz_}"

for target in "${targets[@]}"; do
    mkdir -p "fuzz-out/$target/corpus"
done
build-fuzz/fuzz/orvanek_fuzz_seeds fuzz-out

export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

status=0
run() {
    local target="$1" maxlen="$2" rc=0
    local log="fuzz-out/$target/last-run.log"
    echo "== orvanek_fuzz_$target, ${seconds} s (log: $log)"
    "build-fuzz/fuzz/orvanek_fuzz_$target" "fuzz-out/$target/corpus" "fuzz-out/$target/seeds" \
        -max_total_time="$seconds" -max_len="$maxlen" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="fuzz-out/$target/" >"$log" 2>&1 || rc=$?
    grep -E '^(#[0-9]+[[:space:]]+DONE|==[0-9]+==ERROR|SUMMARY|artifact_prefix|Test unit written|stat::number_of_executed_units|stat::peak_rss_mb)|check failed' "$log" || true
    if [ "$rc" -ne 0 ]; then
        echo "orvanek_fuzz_$target found a problem (exit $rc); see $log" >&2
        status=1
    fi
}
run records $((12 * 1314))
run dates 512
run silso 4096
run import 4096
run instrument 1024
run butterfly 25600
run sheetcode 256
run settings 1024
exit "$status"
