#!/usr/bin/env bash
# The real program under Xvfb: type a calculation, Edit > Copy, read the clipboard back.
set -u
program="$1"
for tool in Xvfb xdotool xclip; do
    if ! command -v "$tool" >/dev/null; then
        echo "skipped: $tool is not installed"
        exit 77 # ctest reports a skip, not a pass
    fi
done
work=$(mktemp -d)
display=":$((200 + RANDOM % 500))"
Xvfb "$display" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
cleanup() {
    kill "$app" "$xvfb" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
export DISPLAY="$display"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
# A copy of the program in its own folder, so its settings files land there.
cp "$program" "$work/sumwise"
"$work/sumwise" >"$work/out" 2>"$work/err" &
app=$!
for _ in $(seq 300); do # 30 s: a loaded or sanitized build starts slowly
    window=$(xdotool search --name '^Sumwise$' 2>/dev/null | head -1)
    [ -n "$window" ] && break
    sleep 0.1
done
if [ -z "$window" ]; then
    echo "the window did not appear"; cat "$work/err"; exit 1
fi
sleep 0.5
# No window manager: the pointer over the window gives it the keyboard.
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + 300)) $((Y + 60))
sleep 0.2
xdotool type --delay 40 '12+30='
# Edit, then Copy, with the mouse (the menu bar sits at the window's top left).
xdotool mousemove $((X + 51)) $((Y + 8)) click 1
sleep 0.5
xdotool mousemove $((X + 80)) $((Y + 29)) click 1
sleep 0.5
xdotool mousemove $((X + 300)) $((Y + 60))
copied=$(xclip -o -selection clipboard 2>/dev/null)
if [ "$copied" != "42.00" ]; then
    echo "expected 42.00 on the clipboard, got '$copied'"; exit 1
fi
# "x" closes the program the normal way, which writes the settings file.
xdotool type 'x'
for _ in $(seq 150); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$app" 2>/dev/null || [ ! -f "$work/Sumwise.ini" ]; then
    echo "the program did not close and save its settings"; exit 1
fi
# A clean exit: no crash and, in a sanitizer build, no report.
if ! wait "$app"; then
    echo "the program did not exit cleanly"; cat "$work/err"; exit 1
fi
echo "1 passed, 0 failed"
