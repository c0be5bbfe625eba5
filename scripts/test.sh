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
# The recipe service's store suite runs against PostgreSQL as well, on a
# throw-away server; without one those cases skip and say so.
pg_dir="$(mktemp -d)"
stop_postgres() {
    "$here/scripts/postgres-test-server.sh" stop "$pg_dir" || true
    rm -rf "$pg_dir"
}
trap stop_postgres EXIT
if url="$("$here/scripts/postgres-test-server.sh" start "$pg_dir")"; then
    export PANTRIO_TEST_POSTGRES="$url"
    echo "PostgreSQL for the service tests: $url"
else
    echo "PostgreSQL could not be started; its service store cases are skipped." >&2
fi
cd "$build"
ctest --output-on-failure -j "$(nproc)" --timeout 600
