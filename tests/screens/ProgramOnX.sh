#!/bin/sh
# The program on an X server without a window manager (run through with-xvfb.sh): its backglass,
# then after the test push (c0) its dashboard, each mapped over the whole screen.
# usage: ProgramOnX.sh PATH_TO_PINSTAGE WIDTH HEIGHT
set -u
prog=$1
width=$2
height=$3
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
printf '# the test push, once the backglass is up\n2500 pulse c0\n' > "$dir/s.txt"
SDL_AUDIODRIVER=dummy "$prog" --simulate --root "$dir/root" --script "$dir/s.txt" --quit-after 8000 \
    > "$dir/out.txt" 2>&1 &
program=$!

# The window titled $1, mapped, as "WxH+X+Y" (empty while there is none).
shown() {
    for id in $(xwininfo -root -tree | grep -F "\"$1\": (\"" | awk '{print $1}'); do
        info=$(xwininfo -id "$id")
        echo "$info" | grep -q 'Map State: IsViewable' || continue
        w=$(echo "$info" | sed -n 's/^ *Width: //p')
        h=$(echo "$info" | sed -n 's/^ *Height: //p')
        x=$(echo "$info" | sed -n 's/^ *Absolute upper-left X: *//p')
        y=$(echo "$info" | sed -n 's/^ *Absolute upper-left Y: *//p')
        echo "${w}x${h}+${x}+${y}"
    done
}
# Waits up to 60 s for the window titled $1 to be mapped; prints its geometry.
await() {
    i=0
    while [ $i -lt 300 ]; do
        g=$(shown "$1" | head -n 1)
        [ -n "$g" ] && { echo "$g"; return; }
        sleep 0.2
        i=$((i + 1))
    done
}
fail() {
    echo "FAILED: $1"
    xwininfo -root -tree | grep '"'
    cat "$dir/out.txt"
    kill $program 2>/dev/null
    exit 1
}
want="${width}x${height}+0+0"
backglass=$(await pinstage)
[ "$backglass" = "$want" ] || fail "backglass at '$backglass', not $want"
dashboard=$(await "Utilitaires de configuration Lumiscope®")
[ "$dashboard" = "$want" ] || fail "dashboard at '$dashboard', not $want"
wait $program
rc=$?
[ $rc -eq 0 ] || fail "exit code $rc"
echo "passed: backglass and dashboard at $want"
