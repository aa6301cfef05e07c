#!/bin/sh
# session.sh COMMAND...: runs it in a private X session such as a desktop gives (Xvfb on a free display, a D-Bus
# session with the accessibility bus, openbox), all of which ends with it. Exits 77 (skipped) only when Xvfb is
# missing: tools/install-deps brings the rest, and a missing piece is a failure.
set -u
command -v Xvfb >/dev/null || { echo "Xvfb is missing: run tools/install-deps"; exit 77; }
for tool in openbox xdotool xwininfo xprop dbus-launch /usr/libexec/at-spi-bus-launcher; do
    command -v "$tool" >/dev/null || { echo "$tool is missing: run tools/install-deps"; exit 1; }
done
dir=$(mktemp -d) || exit 1
pids=""
end() { # last started, first ended; each bus ends the daemons it started
    for pid in $pids; do kill "$pid" && while kill -0 "$pid"; do sleep 0.05; done; done 2>/dev/null
    rm -rf "$dir"
}
trap end EXIT
trap 'exit 143' HUP INT PIPE TERM
fail() { cat "$dir/log"; echo "$1"; exit 1; }
up() { # waits up to 10 s for a command to succeed
    n=0
    until "$@" 2>/dev/null; do
        n=$((n + 1)) && [ $n -lt 200 ] && sleep 0.05 || return 1
    done
}

# Xvfb takes the first free display and writes its number; -noreset: one that resets when its last client leaves
# refuses the next.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$dir/display" 2>"$dir/log" &
pids=$!
up test -s "$dir/display" || fail "Xvfb did not start"
DISPLAY=":$(cat "$dir/display")"
XDG_RUNTIME_DIR=$dir # the buses' sockets, private as on a desktop
export DISPLAY XDG_RUNTIME_DIR
eval "$(dbus-launch --sh-syntax 2>>"$dir/log")" || fail "dbus-launch failed"
/usr/libexec/at-spi-bus-launcher --launch-immediately 2>>"$dir/log" &
pids="$! $DBUS_SESSION_BUS_PID $pids"
openbox >>"$dir/log" 2>&1 &
pids="$! $pids"
up sh -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'" || fail "openbox did not start" # once the root window names it
QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$@"
