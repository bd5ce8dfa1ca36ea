#!/usr/bin/env bash
# Builds the project with Qt 5 twice (plain, and with AddressSanitizer and
# UndefinedBehaviorSanitizer) and once with Qt 6 (plain), runs the whole test
# suite in all three, then fuzzes the demo's DXF import for a bounded time.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/bootstrap.sh"

jobs="${KVCC_JOBS:-$(nproc)}"
run_suite() {
    local dir="$1"; shift
    cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$dir" -j "$jobs"
    (cd "$dir" && ctest --output-on-failure -j "$jobs")
}

echo "== plain build (Qt 5) =="
run_suite "$root/build/plain"
echo "== API reference (Doxygen; an undocumented public member fails) =="
cmake --build "$root/build/plain" --target docs
echo "== sanitizer build (Qt 5, ASan + UBSan) =="
run_suite "$root/build/sanitize" -DKVCC_SANITIZE=ON -DKVCC_BUILD_BENCH=OFF
echo "== plain build (Qt 6) =="
run_suite "$root/build/qt6" -DKVCC_QT_MAJOR=6
echo "== the Qt 5 and the Qt 6 package installed side by side, each used by a host of its Qt =="
both="$root/build/both-prefix"
rm -rf "$both"
cmake --install "$root/build/plain" --prefix "$both" >/dev/null
cmake --install "$root/build/qt6" --prefix "$both" >/dev/null
for dir in plain qt6; do
    (cd "$root/build/$dir" && KVCC_PACKAGE_PREFIX="$both" ctest --output-on-failure -R '^package_consumer$' -FS '.*')
done
echo "== fuzzing the DXF import of the demo (libFuzzer with ASan and UBSan) =="
bash "$root/scripts/fuzz-demo.sh" "${KVCC_FUZZ_SECONDS:-60}"
echo "== all tests passed in the three builds =="
