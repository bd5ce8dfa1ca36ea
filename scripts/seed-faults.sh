#!/usr/bin/env bash
# Seeded-fault check: does the test suite notice small faults?
#
#   scripts/seed-faults.sh             run every fault of scripts/seed-faults.tsv
#   scripts/seed-faults.sh F12 F30     run only these faults
#   scripts/seed-faults.sh --list      list the faults and where each one lands
#
# Each fault names a snippet that must occur exactly once in src/, host/ and
# demo/ together (so the table survives files being split or moved). It is
# swapped for its replacement, the build in build/seed is brought up to date
# and ctest runs until the first failure; then the file is put back. One line
# per fault says:
#   killed           a test failed (the first failing test is named)
#   SURVIVED         every test passed: a test is missing
#   explained        every test passed, and the table says why no test can see it
#   stale            the snippet is found 0 or several times: fix the entry
#   did not compile  the replacement breaks the build: fix the entry
# The summary lists the survivors without a reason. The exit status is 0 only
# when there are none, and no stale or non-compiling entry either. Per-fault
# logs are kept in build/seed/seed-logs/. A whole run takes many minutes and
# is not part of scripts/test.sh.
set -uo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
table="$root/scripts/seed-faults.tsv"
build="$root/build/seed"
logs="$build/seed-logs"
jobs="${KVCC_JOBS:-2}"
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$root}"

# Reads the table and finds, applies or describes one fault; the driver below
# only builds, tests and restores.
helper() {
    python3 - "$root" "$table" "$@" <<'PY'
import os, re, sys

root, table, command, *args = sys.argv[1:]
trees = ("src", "host", "demo")

def unescape(text):
    # "\n" stands for a line break and "\t" for a tab; nothing else is escaped.
    return re.sub(r"\\([nt])", lambda m: "\n" if m.group(1) == "n" else "\t", text)

def faults():
    result = []
    with open(table, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            fields = line.split("\t")
            if len(fields) not in (5, 6):
                sys.exit(f"{table}:{number}: expected 5 or 6 tab-separated fields, got {len(fields)}")
            fid, subsystem, description, find, replace = fields[:5]
            reason = fields[5].strip() if len(fields) == 6 else ""
            result.append(dict(id=fid, subsystem=subsystem, description=description,
                               find=unescape(find), replace=unescape(replace), reason=reason))
    return result

def sources():
    for tree in trees:
        for folder, _, files in os.walk(os.path.join(root, tree)):
            for name in files:
                path = os.path.join(folder, name)
                try:
                    with open(path, encoding="utf-8") as f:
                        text = f.read()
                except (UnicodeDecodeError, OSError):
                    continue
                yield os.path.relpath(path, root), text

def locate(fault):
    hits = [(path, text.count(fault["find"])) for path, text in sources()]
    hits = [(path, n) for path, n in hits if n]
    total = sum(n for _, n in hits)
    return (hits[0][0] if total == 1 else None), total

all_faults = faults()
by_id = {f["id"]: f for f in all_faults}

if command == "ids":
    for f in all_faults:
        print(f["id"])
elif command == "check":
    unknown = [i for i in args if i not in by_id]
    if unknown:
        sys.exit("unknown fault id: " + " ".join(unknown))
elif command == "field":
    print(by_id[args[0]][args[1]])
elif command == "list":
    for f in all_faults:
        path, total = locate(f)
        where = path if path else f"stale (found {total} times)"
        mark = "  [explained]" if f["reason"] else ""
        print(f"{f['id']:<5} {f['subsystem']:<16} {f['description']}{mark}\n      {where}")
elif command == "apply":
    f = by_id[args[0]]
    backup = args[1]
    path, total = locate(f)
    if not path:
        print(total)
        sys.exit(2)
    full = os.path.join(root, path)
    with open(full, encoding="utf-8") as src:
        text = src.read()
    with open(backup, "w", encoding="utf-8") as out:
        out.write(text)
    # Written in place, so the file keeps its mode and gets a new time stamp.
    with open(full, "w", encoding="utf-8") as out:
        out.write(text.replace(f["find"], f["replace"], 1))
    print(path)
PY
}

if [[ "${1:-}" == "--list" ]]; then
    helper list
    exit $?
fi
if [[ "${1:-}" == -* ]]; then
    echo "usage: $0 [--list | FAULT-ID...]" >&2
    exit 2
fi
helper check "$@" || exit 2
if (($#)); then
    ids=("$@")
else
    mapfile -t ids < <(helper ids)
fi

cd "$root"
treeBefore="$(git diff -- src host demo | sha1sum)"
work="$(mktemp -d)"
backup="$work/original"
pending=""

restore() {
    if [[ -n "$pending" ]]; then
        # Not cp -p: the restored file must look newer than the faulty build.
        cat "$backup" >"$root/$pending"
        pending=""
    fi
}
finish() {
    restore
    rm -rf "$work"
}
trap finish EXIT
trap 'finish; echo "interrupted; the source is restored" >&2; exit 130' INT TERM

configure=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DKVCC_BUILD_BENCH=OFF -DCMAKE_LINK_DEPENDS_NO_SHARED=ON)
if command -v ccache >/dev/null; then
    configure+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
mkdir -p "$logs"
buildTree() { cmake --build "$build" -j "$jobs" >"$1" 2>&1; }
runTests() { (cd "$build" && ctest -j "$jobs" --stop-on-failure --timeout 120) >>"$1" 2>&1; }
firstFailure() {
    sed -n '/tests FAILED:/,$p' "$1" | sed -n 's/^[[:space:]]*[0-9]* - \([^ ]*\).*/\1/p' | head -n 1
}

echo "== building and testing the unchanged tree in $build"
if ! cmake -S "$root" -B "$build" "${configure[@]}" >"$logs/baseline.log" 2>&1 \
    || ! buildTree "$logs/baseline.log" || ! runTests "$logs/baseline.log"; then
    echo "the unchanged tree does not build or pass its tests; see $logs/baseline.log" >&2
    exit 3
fi

killed=0 survived=0 explained=0 stale=0 broken=0
survivors=()
for id in "${ids[@]}"; do
    subsystem="$(helper field "$id" subsystem)"
    description="$(helper field "$id" description)"
    reason="$(helper field "$id" reason)"
    log="$logs/$id.log"
    if ! file="$(helper apply "$id" "$backup")"; then
        printf '%-5s %-16s %-15s %s\n' "$id" "stale" "$subsystem" "found $file times: $description"
        stale=$((stale + 1))
        continue
    fi
    pending="$file"
    if ! buildTree "$log"; then
        outcome="did not compile"
        detail="$file: $description"
        broken=$((broken + 1))
    elif runTests "$log"; then
        if [[ -n "$reason" ]]; then
            outcome="explained"
            detail="$description ($reason)"
            explained=$((explained + 1))
        else
            outcome="SURVIVED"
            detail="$description"
            survived=$((survived + 1))
            survivors+=("$id $subsystem: $description")
        fi
    else
        outcome="killed"
        detail="by $(firstFailure "$log"): $description"
        killed=$((killed + 1))
    fi
    restore
    printf '%-5s %-16s %-15s %s\n' "$id" "$outcome" "$subsystem" "$detail"
done

# Leave the build matching the restored sources.
buildTree "$logs/final.log" || echo "warning: the restored tree did not rebuild; see $logs/final.log" >&2

echo
echo "== ${#ids[@]} faults: $killed killed, $survived SURVIVED, $explained explained," \
    "$stale stale, $broken did not compile"
if ((survived)); then
    echo "Survivors without a reason (a test is missing):"
    printf '  %s\n' "${survivors[@]}"
fi
status=0
if [[ "$(git diff -- src host demo | sha1sum)" != "$treeBefore" ]]; then
    echo "error: src/, host/ or demo/ differ from before the run; check git diff" >&2
    status=4
fi
if ((survived || stale || broken)) && ((status == 0)); then
    status=1
fi
exit "$status"
