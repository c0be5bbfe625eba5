#!/usr/bin/env bash
# Writes a picture of Pantrio's main window showing the first recipe of the
# box to a PNG file, on a virtual display: a look at the program without a
# desktop. Usage: scripts/screenshot.sh FILE.png [--data-root DIR]
# The build folder is $PANTRIO_BUILD_DIR (default: build).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [ "$#" -lt 1 ]; then
    echo "usage: $0 FILE.png [--data-root DIR]" >&2
    exit 2
fi
out="$(realpath -m "$1")"
shift
build="${PANTRIO_BUILD_DIR:-$here/build}"
if [ ! -x "$build/bin/pantrio" ]; then
    cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPANTRIO_BUILD_TESTS=OFF
    cmake --build "$build" -j "$(nproc)" --target pantrio
fi
# The web engine cannot use its sandbox as root or under a virtual display.
export QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS="--no-sandbox --disable-gpu"
unset QT_QPA_PLATFORM
exec xvfb-run -a -s "-screen 0 1600x1000x24" "$build/bin/pantrio" --screenshot "$out" "$@"
