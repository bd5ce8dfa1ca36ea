#!/usr/bin/env bash
# Starts kvcc-demo --screenshot as users would start it: on the built-in
# drawing and on a shared drawing, in each shipped language, light and dark,
# and with only a German or Russian system locale. Every run must exit 0 and
# print the pictures it wrote, each of them a PNG.
# usage: screenshots.sh KVCC-DEMO SHARED-DXF-DIR
set -u
demo="$1"
shared="$2/bjnortier_floorplan.dxf"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
drawings=("")
if [ -f "$shared" ]; then
    drawings+=("$shared")
else
    echo "SKIP: $shared is missing; only the built-in drawing is shown"
fi
failures=0
count=0
# run LOCALE DRAWING OPTIONS...
run() {
    local locale="$1" drawing="$2"; shift 2
    local label="LANG=$locale $* ${drawing:-built-in}"
    local dir="$work/$((++count))"
    if ! env LANG="$locale" LC_ALL= LANGUAGE= "$demo" "$@" --screenshot "$dir" $drawing >"$dir.out" 2>"$dir.err"; then
        echo "FAIL: $label exited with status $?"; cat "$dir.err"; failures=$((failures + 1)); return
    fi
    local written=0
    while IFS= read -r file; do
        if [ "$(head -c 8 "$file" | od -An -tx1 | tr -d ' \n')" != "89504e470d0a1a0a" ]; then
            echo "FAIL: $label: $file is not a PNG"; failures=$((failures + 1))
        fi
        written=$((written + 1))
    done <"$dir.out"
    if [ "$written" -lt 8 ]; then
        echo "FAIL: $label wrote $written pictures"; failures=$((failures + 1)); return
    fi
    echo "ok: $label ($written pictures)"
}
for drawing in "${drawings[@]}"; do
    for lang in en de ru; do
        run C.UTF-8 "$drawing" --lang "$lang"
        run C.UTF-8 "$drawing" --lang "$lang" --dark
    done
    run de_DE.UTF-8 "$drawing"
    run ru_RU.UTF-8 "$drawing" --dark
done
[ "$failures" -eq 0 ] && echo "PASS: every run exited 0 and wrote its pictures"
exit $((failures > 0))
