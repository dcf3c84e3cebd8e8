#!/usr/bin/env bash
# The real program under a real window manager (openbox): start and close without moving the
# window keeps Left and Top exactly, round after round; a moved window opens again where it
# was left; a place far off the screen opens on it.
set -u
program="$1"
. "$(dirname "$0")/xvfb-lib.sh"
require_tools Xvfb openbox xdotool
start_xvfb 1024x768
HOME="$work" openbox --config-file /dev/null >/dev/null 2>&1 &
wm=$!
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break; sleep 0.1; done
cp "$program" "$work/sumwise"
passed=0
failed=0
fail() {
    echo "FAIL: $*"
    failed=$((failed + 1))
}

# Starts the program and waits until its window is mapped and the window manager has placed it.
start() {
    "$work/sumwise" >"$work/out" 2>"$work/err" &
    app=$!
    wait_for_window "$app" || { echo "the window did not appear"; cat "$work/err"; exit 1; }
    sleep 1
}
# "x", the Exit key, closes the program the normal way, which saves the settings.
stop() {
    # The window manager may still be busy with the new window: try again if "x" was lost.
    for _ in 1 2 3; do
        xdotool windowactivate --sync "$window" >/dev/null 2>&1
        xdotool windowfocus --sync "$window" >/dev/null 2>&1
        xdotool key x
        wait_for_exit "$app" && break
    done
    if kill -0 "$app" 2>/dev/null; then
        echo "the program did not close"; exit 1
    fi
    wait "$app" || fail "exit status $?: $(cat "$work/err")"
    app=""
}
place() { tr -d '\r' <"$work/Sumwise.ini" | grep -E '^(Left|Top)=' | tr '\n' ' '; }
setPlace() {
    sed -i -e "s/^Left=[^\r]*/Left=$1/" -e "s/^Top=[^\r]*/Top=$2/" "$work/Sumwise.ini"
}

# The default file, from a first run.
start
stop
[ -f "$work/Sumwise.ini" ] || { echo "no settings file"; exit 1; }

setPlace 3000 3000
for round in 1 2 3 4 5; do
    start
    stop
    now=$(place)
    echo "round $round: $now"
    if [ "$now" = "Left=3000 Top=3000 " ]; then passed=$((passed + 1)); else fail "round $round: $now"; fi
done

# Moved by the user, the window opens again exactly where it was left.
start
xdotool windowmove "$window" 300 200
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$window")"
left_at="$X,$Y"
stop
moved=$(place)
start
eval "$(xdotool getwindowgeometry --shell "$window")"
stop
echo "moved to $left_at, saved $moved, opened at $X,$Y"
if [ "$moved" != "Left=3000 Top=3000 " ] && [ "$X,$Y" = "$left_at" ]; then
    passed=$((passed + 1))
else
    fail "moved window: left at $left_at, saved $moved, opened at $X,$Y"
fi

# A place far off the screen opens on it; the file gets the real place at exit.
width=$(xdotool getdisplaygeometry | cut -d' ' -f1)
height=$(xdotool getdisplaygeometry | cut -d' ' -f2)
for far in "3000 900000" "-900000 3000" "900000 -900000"; do
    setPlace $far
    start
    eval "$(xdotool getwindowgeometry --shell "$window")"
    stop
    saved=$(place)
    echo "saved place $far: opened at $X,$Y, saved $saved"
    if [ "$X" -ge 0 ] && [ "$Y" -ge 0 ] && [ $((X + WIDTH)) -le "$width" ] &&
        [ $((Y + HEIGHT)) -le "$height" ] && [ "$saved" != "Left=${far% *} Top=${far#* } " ]; then
        passed=$((passed + 1))
    else
        fail "far place $far: window at $X,$Y size ${WIDTH}x$HEIGHT, saved $saved"
    fi
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
