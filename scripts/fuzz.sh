#!/usr/bin/env bash
# Builds the fuzz targets with clang under the address and undefined-behaviour sanitizers into
# build-fuzz/ and runs each one from its seed corpus (fuzz/corpus/<target>/).
#
#   scripts/fuzz.sh [RUNS] [TARGET...]
#
# RUNS: executions per target (default 2000; 0 runs until stopped or for FUZZ_SECONDS seconds).
# New inputs found are kept in build-fuzz/corpus/<target>/, a failing input in
# build-fuzz/findings/; the script fails when any target finds one.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
runs="${1:-2000}"
shift || true
targets=("$@")
[ "${#targets[@]}" -eq 0 ] && targets=(param_file settings snapshot receive)
build="${FUZZ_BUILD_DIR:-$here/build-fuzz}"

if ! command -v clang++ >/dev/null 2>&1; then
    echo "fuzz.sh: clang++ is not installed (scripts/setup.sh installs it)" >&2
    exit 1
fi
generator=()
command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)
if [ ! -f "$build/CMakeCache.txt" ]; then
    CC=clang CXX=clang++ cmake -S "$here" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Debug \
        -DQUORVEL05_GUI=OFF -DQUORVEL05_BENCH=OFF -DQUORVEL05_FUZZ=ON \
        -DCMAKE_CXX_FLAGS="-O1 -fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
fi
cmake --build "$build" --parallel "$(nproc)" --target "${targets[@]/#/fuzz_}"

extra=()
[ "$runs" -eq 0 ] && [ -n "${FUZZ_SECONDS:-}" ] && extra+=("-max_total_time=$FUZZ_SECONDS")
mkdir -p "$build/findings"
status=0
for t in "${targets[@]}"; do
    mkdir -p "$build/corpus/$t"
    seeds=("$here/fuzz/corpus/$t")
    [ "$t" = param_file ] && seeds+=("$here/tests/data")
    echo "Fuzzing $t ($runs runs)"
    if ! "$build/fuzz/fuzz_$t" -runs="$runs" -max_len=8192 -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$build/findings/$t-" "${extra[@]}" \
        "$build/corpus/$t" "${seeds[@]}" 2>"$build/fuzz_$t.log"; then
        echo "fuzz.sh: $t found a failing input, see $build/fuzz_$t.log and $build/findings/" >&2
        tail -n 30 "$build/fuzz_$t.log" >&2
        status=1
    fi
    grep -E "^stat::number_of_executed_units|^stat::new_units_added" "$build/fuzz_$t.log" || true
done
exit $status
