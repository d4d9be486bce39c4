#!/bin/sh
# A stop request (SIGTERM, as systemctl stop sends) in the middle of a game on the simulated board:
# the program ends with status 0 before its run time, its journal closed with the final state, every
# coil port released and every lamp off.
# usage: StopRequestTest.sh PATH_TO_PINSTAGE
set -u
prog=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() {
    echo "FAILED: $1"
    echo "--- output"; cat "$dir/out.txt"
    echo "--- end of the journal"; tail -20 "$dir/t.txt"
    exit 1
}
printf '# coin, then start\n0 pulse c4 60\n800 pulse c5 200\n' >"$dir/s.txt"
# A root holding only a library's folder (the web engine's, under the program's name) is still new.
mkdir -p "$dir/root/QtWebEngine/OffTheRecord"
QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy "$prog" --simulate --windowed --root "$dir/root" \
    --script "$dir/s.txt" --trace "$dir/t.txt" --quit-after 150000 >"$dir/out.txt" 2>&1 &
pid=$!
# The first start writes the default data; then the game begins.
tries=0
until grep -q ' game start$' "$dir/t.txt" 2>/dev/null; do
    kill -0 $pid 2>/dev/null || fail "the program ended before the game"
    tries=$((tries + 1))
    [ $tries -lt 1200 ] || { kill -KILL $pid; fail "no game started"; }
    sleep 0.1
done
kill -TERM $pid
wait $pid
rc=$?
[ $rc -eq 0 ] || fail "exit status $rc"
grep -q ' quit after$' "$dir/t.txt" && fail "ended by its run time, not by the stop request"
tail -1 "$dir/t.txt" | grep -q ' state .* mask=0x0E ' || fail "no final state of a running game"
for port in 3 4 5; do
    last=$(grep " port $port " "$dir/t.txt" | tail -1)
    [ "${last##* }" = 0xFF ] || fail "coil port $port left at ${last##* }"
done
grep ' lamps ' "$dir/t.txt" | tail -1 | grep -qE ' lamps( 0x00){8}$' || fail "lamps left lit"
echo "passed"
