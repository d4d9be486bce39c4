#!/bin/sh
# The program with its simulator window on the offscreen platform, driven by a switch script:
#   start  a coin, then the start button pressed and released: a game begins;
#   hold   a coin, then the start button held: after 5 s the shutdown path ends the program,
#          without powering anything off.
# usage: ProgramRunTest.sh PATH_TO_PINSTAGE start|hold
set -u
prog=$1
what=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
case $what in
start) printf '# coin, then start\n0 pulse c4 60\n800 pulse c5 200\n' > "$dir/s.txt"; quit=6000 ;;
hold) printf '# coin, then start held\n0 pulse c4 60\n800 close c5\n' > "$dir/s.txt"; quit=30000 ;;
*) echo "unknown case $what"; exit 2 ;;
esac
QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy "$prog" --simulate --windowed --root "$dir/root" \
    --script "$dir/s.txt" --trace "$dir/t.txt" --quit-after $quit --seed 12345 > "$dir/out.txt" 2>&1
rc=$?
fail() {
    echo "FAILED: $1"
    echo "--- output"; cat "$dir/out.txt"
    echo "--- journal (without ports and lamps)"; grep -v -e ' port ' -e ' lamps ' "$dir/t.txt"
    exit 1
}
[ $rc -eq 0 ] || fail "exit code $rc"
case $what in
start)
    grep -q ' game start$' "$dir/t.txt" || fail "no game started"
    grep -q 'state .* mask=0x0E ' "$dir/t.txt" || fail "the game is not running at the end"
    grep -q ' shutdown$' "$dir/t.txt" && fail "shut down"
    ;;
hold)
    grep -q ' shutdown$' "$dir/t.txt" || fail "no shutdown"
    grep -q ' quit after$' "$dir/t.txt" && fail "the program did not end by itself"
    grep -q ' game start$' "$dir/t.txt" && fail "a game started"
    grep -q 'systemctl poweroff' "$dir/out.txt" || fail "the power-off command is not shown"
    ;;
esac
echo "passed: $what"
