#!/usr/bin/env bash
# Builds the demo host and runs it on its built-in drawing (or on FILE.dxf).
# Without a display it writes screenshots instead and says where they are.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/bootstrap.sh"
build="$root/build/plain"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "${KVCC_JOBS:-$(nproc)}" --target kvcc-demo
demo="$build/demo/kvcc-demo"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$demo" "$@"
fi
shots="$root/build/screenshots"
mkdir -p "$shots"
QT_QPA_PLATFORM=offscreen "$demo" --screenshot "$shots" "$@"
echo "No display: screenshots of the demo are in $shots"
