#!/usr/bin/env bash
# Sets up, builds a release configuration and runs the benchmarks of bench/.
# Pass "--large" to include the 100,000-recipe runs (several minutes).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$here/scripts/setup.sh"
build="${PANTRIO_BENCH_BUILD_DIR:-$here/build-rel}"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPANTRIO_BUILD_TESTS=OFF \
      -DPANTRIO_BUILD_BENCH=ON
cmake --build "$build" -j "$(nproc)"
counts=(--count 10000)
if [ "${1:-}" = "--large" ]; then counts+=(--count 100000); fi
for bench in "$build"/bench/bench_*; do
    name="$(basename "$bench")"
    echo "== $name"
    case "$name" in
        bench_save_as_new)
            for c in 10000 $([ "${1:-}" = "--large" ] && echo 100000); do "$bench" --count "$c"; done ;;
        bench_import_mealmaster) "$bench" "${counts[@]}" ;;
        *) "$bench" ;;
    esac
done
