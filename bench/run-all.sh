#!/usr/bin/env bash
# Builds the benchmarks in Release and prints every figure in one table, with its ratio against
# bench/baselines.txt (ratio > 1: larger than the baseline, i.e. slower for times).
#   bench/run-all.sh [build folder]        (default build-bench)
# The raw output of each program is kept in <build folder>/<program>.out.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DVANTRO_BUILD_BENCH=ON -DVANTRO_BUILD_TESTS=OFF >/dev/null
programs=()
while read -r program _; do
    [[ -z "$program" || "$program" == \#* ]] && continue
    programs+=("$program")
done <bench/benches.txt
cmake --build "$build" -j"${VANTRO_JOBS:-2}" --target "${programs[@]}"

export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
figures="$build/figures.txt"
: >"$figures"
while read -r program args; do
    [[ -z "$program" || "$program" == \#* ]] && continue
    echo "running $program $args" >&2
    # shellcheck disable=SC2086
    if ! "$build/bench/$program" $args >"$build/$program.out" 2>&1; then
        echo "$program failed; see $build/$program.out" >&2
        exit 1
    fi
    grep '^BENCH ' "$build/$program.out" | sed "s/^BENCH /$program /" >>"$figures"
done <bench/benches.txt

awk '
    NR == FNR { if ($0 !~ /^#/ && NF >= 2) base[$1] = $2; next }
    {
        ratio = ($2 in base && base[$2] != 0) ? sprintf("%.2f", $3 / base[$2]) : "-"
        b = ($2 in base) ? base[$2] : "-"
        printf "%-16s %-44s %12s %-4s %12s %6s\n", $1, $2, $3, $4, b, ratio
    }
    BEGIN { printf "%-16s %-44s %12s %-4s %12s %6s\n", "program", "figure", "value", "unit", "baseline", "ratio" }
' bench/baselines.txt "$figures"
