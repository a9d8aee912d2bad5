#!/usr/bin/env bash
# Runs every libFuzzer target for a while, each from its seed corpus in the repository.
#   fuzz/run.sh [seconds per target] [build folder] [target names...]
# Builds the targets first (clang, folder build-fuzz by default). New inputs that libFuzzer finds
# go to <build folder>/corpus/<name>/, never into the repository; a finding is written to
# <build folder>/findings/ and makes the script fail.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
build=${2:-build-fuzz}
shift $(( $# < 2 ? $# : 2 ))

cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVANTRO_BUILD_TESTS=OFF -DVANTRO_BUILD_FUZZ=ON >/dev/null
cmake --build "$build" -j"${VANTRO_JOBS:-2}" --target fuzzers

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for f in fuzz/fuzz_*.cpp; do
        n=$(basename "$f" .cpp)
        targets+=("${n#fuzz_}")
    done
fi

mkdir -p "$build/findings"
for name in "${targets[@]}"; do
    mkdir -p "$build/corpus/$name"
    args=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
          -artifact_prefix="$build/findings/$name-")
    [ -f "fuzz/dict/$name.dict" ] && args+=(-dict="fuzz/dict/$name.dict")
    echo "== fuzz_$name for ${seconds}s"
    log="$build/fuzz_$name.log"
    status=0
    "$build/fuzz/fuzz_$name" "${args[@]}" "$build/corpus/$name" "fuzz/corpus/$name" >"$log" 2>&1 || status=$?
    grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|stat::peak_rss_mb|property failed|==[0-9]+==ERROR|SUMMARY)' "$log" || true
    if [ "$status" -ne 0 ]; then
        tail -n 40 "$log" >&2
        echo "fuzz_$name found a problem (exit $status); see $build/findings/ and $log" >&2
        exit 1
    fi
done
