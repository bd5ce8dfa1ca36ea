#!/usr/bin/env bash
# Prints the size of the test code against the rest of the C++ code, counting
# only lines that hold code: blank lines and comments are left out on both
# sides. Usage: scripts/test-ratio.sh [--files]  (--files lists each test file)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

# Code lines of the given C++ files: drops blank lines, // comments and
# /* ... */ blocks (a line that only opens, continues or closes a block).
count() {
    [ $# -eq 0 ] && { echo 0; return; }
    awk '
        { line = $0 }
        inblock { if (line ~ /\*\//) { inblock = 0; sub(/^.*\*\//, "", line) } else next }
        { gsub(/\/\*.*\*\//, "", line) }
        line ~ /\/\*/ { sub(/\/\*.*$/, "", line); inblock = 1 }
        { sub(/^[ \t]+/, "", line) }
        line == "" || line ~ /^\/\// { next }
        { n++ }
        END { print n + 0 }' "$@"
}

mapfile -t tests < <(git ls-files -co --exclude-standard 'tests/*.cpp' 'tests/*.h')
mapfile -t other < <(git ls-files -co --exclude-standard '*.cpp' '*.h' | grep -v '^tests/')

if [ "${1:-}" = "--files" ]; then
    for f in "${tests[@]}"; do printf '%6d %s\n' "$(count "$f")" "$f"; done | sort -n
fi
t=$(count "${tests[@]}")
o=$(count "${other[@]}")
awk -v t="$t" -v o="$o" 'BEGIN { printf "test lines %d, other C++ lines %d, ratio %.3f\n", t, o, t / o }'
