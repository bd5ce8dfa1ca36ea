#!/usr/bin/env bash
# Runs a command on a private Xvfb server of 1280x1024x24 and returns its
# exit status. The server picks its own display (-displayfd): it takes the
# first number on which it can open every socket, so it never settles on a
# number whose lock file is gone but whose socket another server on this
# machine still holds, as guessing from lock files can. Clients get a cookie
# of their own, so they reach this server only. The server never resets:
# by default it does when its last client leaves, and a test that polls
# with short-lived clients (xdotool) while the program under test starts
# would then see the program's connection refused.
set -u
if [ $# -eq 0 ]; then
    echo "usage: xvfb.sh COMMAND [ARGS...]" >&2
    exit 2
fi
dir="$(mktemp -d -t kvcc-xvfb.XXXXXX)" || exit 1
server=""
cleanup() {
    if [ -n "$server" ]; then
        kill "$server" 2>/dev/null
        wait "$server" 2>/dev/null
    fi
    rm -rf "$dir"
}
trap cleanup EXIT

cookie="$(mcookie)"
touch "$dir/server" "$dir/client"
# The server accepts each cookie in its file whatever display it names.
xauth -q -f "$dir/server" add :0 MIT-MAGIC-COOKIE-1 "$cookie" || exit 1
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset -auth "$dir/server" \
    3>"$dir/display" 2>"$dir/log" &
server=$!

display=""
for _ in $(seq 1 100); do
    display="$(head -n1 "$dir/display" 2>/dev/null)"
    [ -n "$display" ] && break
    if ! kill -0 "$server" 2>/dev/null; then
        server=""
        break
    fi
    sleep 0.1
done
if [ -z "$display" ]; then
    echo "xvfb.sh: Xvfb did not start:" >&2
    cat "$dir/log" >&2
    exit 1
fi

xauth -q -f "$dir/client" add ":$display" MIT-MAGIC-COOKIE-1 "$cookie" || exit 1
DISPLAY=":$display" XAUTHORITY="$dir/client" "$@"
status=$?
exit "$status"
