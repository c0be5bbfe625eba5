#!/usr/bin/env bash
# Sets up, builds the sanitizer configuration and runs every test suite.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$here/scripts/setup.sh"
# The code is kept in clang-format's layout (.clang-format at the root).
if ! (cd "$here" && git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror); then
    echo "Some files are not formatted: run clang-format -i on them." >&2
    exit 1
fi
build="${PANTRIO_BUILD_DIR:-$here/build-asan}"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPANTRIO_SANITIZE=ON \
      -DPANTRIO_BUILD_BENCH=OFF
cmake --build "$build" -j "$(nproc)"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd "$build"
ctest --output-on-failure -j "$(nproc)" --timeout 600
