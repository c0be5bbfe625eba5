#!/usr/bin/env bash
# Sets up, builds a release configuration and runs the benchmarks of bench/.
#   scripts/bench.sh           every benchmark at 10,000 recipes
#   scripts/bench.sh --large   the same with the 100,000-recipe runs (several minutes)
#   scripts/bench.sh --import  the import comparison: collections of 20,000 and
#                              100,000 generated recipes, each imported three times
#                              into fresh boxes; medians of recipes/s, processor
#                              time and peak memory, and the time per recipe at
#                              100,000 over that at 20,000
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
mode="${1:-}"
build="${PANTRIO_BENCH_BUILD_DIR:-$here/build-rel}"
if [ -z "${PANTRIO_BENCH_NO_BUILD:-}" ]; then
    "$here/scripts/setup.sh"
    cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPANTRIO_BUILD_TESTS=OFF \
          -DPANTRIO_BUILD_BENCH=ON
    cmake --build "$build" -j "$(nproc)"
fi

if [ "$mode" = "--import" ]; then
    work="$(mktemp -d)"
    trap 'rm -rf "$work"' EXIT
    echo "== MealMaster import, 3 runs each, fresh box every run (load: $(cut -d' ' -f1-3 /proc/loadavg))"
    for n in 20000 100000; do
        "$build/bench/gen_mealmaster" "$n" "$work/gen$n.mmf"
        for run in 1 2 3; do
            "$build/bench/bench_import_mealmaster" --file "$work/gen$n.mmf" | tee -a "$work/runs$n.txt"
        done
    done
    # Fields of a run line: recipes, wall s (after "):"), recipes/s, user, sys, peak MB.
    summarise() {
        awk '{
            for (i = 1; i <= NF; i++) {
                if ($i == "s," && $(i+2) == "recipes/s,") { wall = $(i-1); rate = $(i+1) }
                if ($i == "user") user = $(i+1)
                if ($i == "sys") sys = $(i+1)
                if ($i == "memory") peak = $(i+1)
                if ($i == "index") idx = $(i+1)
            }
            print $1, wall, rate, user + sys, peak, idx
        }' "$1" | sort -k2 -n | sed -n 2p
    }
    read -r n20 wall20 rate20 cpu20 peak20 index20 <<<"$(summarise "$work/runs20000.txt")"
    read -r n100 wall100 rate100 cpu100 peak100 index100 <<<"$(summarise "$work/runs100000.txt")"
    echo "== medians of 3 (the ingredient index is brought up to date after each import)"
    printf '%7s recipes: %6.2f s, %6.0f recipes/s, processor %5.2f s, peak %5.1f MB, then index %5.2f s\n' \
        "$n20" "$wall20" "$rate20" "$cpu20" "$peak20" "$index20" \
        "$n100" "$wall100" "$rate100" "$cpu100" "$peak100" "$index100"
    awk -v a="$wall100" -v b="$wall20" -v c="$cpu100" -v d="$cpu20" -v n="$n100" -v m="$n20" 'BEGIN {
        printf "time per recipe at %d / at %d: wall %.2f, processor %.2f\n", n, m, (a / n) / (b / m), (c / n) / (d / m) }'
    exit 0
fi

counts=(--count 10000)
if [ "$mode" = "--large" ]; then counts+=(--count 100000); fi
for bench in "$build"/bench/bench_*; do
    name="$(basename "$bench")"
    echo "== $name"
    case "$name" in
        bench_save_as_new)
            for c in 10000 $([ "$mode" = "--large" ] && echo 100000); do "$bench" --count "$c"; done ;;
        bench_import_mealmaster) "$bench" "${counts[@]}" ;;
        *) "$bench" ;;
    esac
done
