#!/bin/sh
# Runs a command on a private X server of the given size with no window manager, as a cabinet runs
# (X and pinstage alone). The server takes a free display number itself.
# usage: with-xvfb.sh WIDTHxHEIGHT COMMAND [ARGS...]
set -u
size=$1
shift
command -v Xvfb >/dev/null 2>&1 || { echo "Xvfb is missing (scripts/install-deps)"; exit 1; }
dir=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$dir/display" >"$dir/xvfb.log" 2>&1 &
server=$!
trap 'kill $server 2>/dev/null; wait $server 2>/dev/null; rm -rf "$dir"' EXIT
i=0
while [ ! -s "$dir/display" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
[ -s "$dir/display" ] || { echo "Xvfb did not start"; cat "$dir/xvfb.log"; exit 1; }
DISPLAY=:$(cat "$dir/display")
export DISPLAY
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY
"$@"
