#!/usr/bin/env bash
# Sets up, builds a release configuration and starts Pantrio on the default
# data root ($XDG_DATA_HOME/Pantrio, created from the shipped data on first start).
# Until the desktop window exists this starts the command-line front end:
# it prepares the data root and lists the recipes of the open box.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$here/scripts/setup.sh"
build="${PANTRIO_BUILD_DIR:-$here/build}"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPANTRIO_BUILD_TESTS=OFF
cmake --build "$build" -j "$(nproc)"
echo "Starting the command-line front end (the desktop window is not built yet)."
"$build/bin/pantrio-cli" init
if [ "$#" -gt 0 ]; then
    exec "$build/bin/pantrio-cli" "$@"
fi
exec "$build/bin/pantrio-cli" list
