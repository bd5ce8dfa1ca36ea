#!/usr/bin/env bash
# Runs kvcc-demo on the X server of xvfb.sh, waits for its window, checks
# that it fits the screen, that it answers (the window maps and takes a key
# press) and that Ctrl+Q ends it with exit status 0. Further arguments go to
# kvcc-demo.
set -u
demo="$1"
shift
"$demo" "$@" &
pid=$!
win=""
for _ in $(seq 1 100); do
    win="$(xdotool search --onlyvisible --name 'KvCc demo viewer' 2>/dev/null | head -n1)"
    [ -n "$win" ] && break
    if ! kill -0 "$pid" 2>/dev/null; then
        echo "FAIL: kvcc-demo ended before showing its window"
        wait "$pid"
        exit 1
    fi
    sleep 0.2
done
if [ -z "$win" ]; then
    echo "FAIL: no window of kvcc-demo appeared"
    kill "$pid"
    exit 1
fi
echo "window $win: $(xdotool getwindowname "$win")"
# The whole window lies on the screen, its right and bottom edges in reach.
eval "$(xdotool getwindowgeometry --shell "$win")"
read -r screen_w screen_h < <(xdotool getdisplaygeometry)
if [ $((X + WIDTH)) -gt "$screen_w" ] || [ $((Y + HEIGHT)) -gt "$screen_h" ]; then
    echo "FAIL: the window (${WIDTH}x${HEIGHT} at $X,$Y) does not fit the screen (${screen_w}x${screen_h})"
    kill "$pid"
    exit 1
fi
xdotool windowactivate --sync "$win" >/dev/null 2>&1 || xdotool windowfocus --sync "$win" >/dev/null 2>&1 || true
sleep 0.5
xdotool key --window "$win" ctrl+q
for _ in $(seq 1 50); do
    if ! kill -0 "$pid" 2>/dev/null; then
        wait "$pid"
        status=$?
        if [ "$status" -ne 0 ]; then
            echo "FAIL: kvcc-demo quit with status $status"
            exit 1
        fi
        echo "PASS: kvcc-demo showed its window and quit cleanly on Ctrl+Q"
        exit 0
    fi
    sleep 0.2
done
echo "FAIL: kvcc-demo did not quit on Ctrl+Q"
kill "$pid"
exit 1
