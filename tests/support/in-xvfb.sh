#!/bin/sh
# Runs a test program in a real X session: a private Xvfb on the first free
# display number, no window manager. Exits 77 (skipped) only when no X
# server can start.
set -u
command -v Xvfb >/dev/null 2>&1 || { echo "Xvfb is missing: run tools/install-deps"; exit 77; }
display=""
for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    server=$!
    i=0
    while [ $i -lt 50 ] && [ ! -e "/tmp/.X11-unix/X$n" ] && kill -0 "$server" 2>/dev/null; do
        sleep 0.1
        i=$((i + 1))
    done
    if [ -e "/tmp/.X11-unix/X$n" ] && kill -0 "$server" 2>/dev/null; then
        display=":$n"
        break
    fi
    kill "$server" 2>/dev/null
done
[ -n "$display" ] || { echo "no X server could start"; exit 77; }
trap 'kill $server 2>/dev/null' EXIT INT TERM
DISPLAY=$display QT_QPA_PLATFORM=xcb "$@"
