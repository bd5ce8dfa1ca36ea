#!/usr/bin/env bash
# Builds the libFuzzer target of the demo's DXF import with clang, ASan and
# UBSan, and runs it for a bounded time (seconds, default 60) on a corpus
# seeded from demo/fuzz/seed. Fails on any crash, leak, hang or sanitizer
# report, and then prints the input that caused it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
build="$root/build/fuzz"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ \
    -DKVCC_FUZZ=ON -DKVCC_BUILD_TESTS=OFF -DKVCC_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "${KVCC_JOBS:-$(nproc)}" --target kvcc-fuzz-dxfimport >/dev/null
corpus="$build/corpus"
mkdir -p "$corpus" "$build/artifacts"
cp "$root"/demo/fuzz/seed/*.dxf "$corpus"/
log="$build/fuzz.log"
if ! (cd "$build" && ./demo/kvcc-fuzz-dxfimport -max_total_time="$seconds" -max_len=65536 \
        -rss_limit_mb=2048 -timeout=10 -artifact_prefix="$build/artifacts/" "$corpus" >"$log" 2>&1); then
    tail -n 60 "$log"
    echo "fuzz: FAILED; the input is in $build/artifacts"
    exit 1
fi
echo "fuzz: $(grep -o 'Done [0-9]* runs in [0-9]* second(s)' "$log" | tail -n1), no crash"
