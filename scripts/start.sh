#!/usr/bin/env bash
# Sets up, builds a release configuration and starts the desktop program
# `pantrio` on the default data root ($XDG_DATA_HOME/Pantrio, created from the
# shipped data on first start). Arguments are passed to the program (a .crb
# box to open, an .rxf file to import).
#
# The command-line front end stays reachable: `scripts/start.sh --cli ARGS...`
# runs `pantrio-cli ARGS...` instead (it lists the recipes without ARGS).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$here/scripts/setup.sh"
build="${PANTRIO_BUILD_DIR:-$here/build}"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPANTRIO_BUILD_TESTS=OFF
cmake --build "$build" -j "$(nproc)"
if [ "${1:-}" = "--cli" ]; then
    shift
    "$build/bin/pantrio-cli" init
    if [ "$#" -gt 0 ]; then
        exec "$build/bin/pantrio-cli" "$@"
    fi
    exec "$build/bin/pantrio-cli" list
fi
exec "$build/bin/pantrio" "$@"
