#!/usr/bin/env bash
# The real program under Xvfb: type a calculation, Edit > Copy, read the clipboard back.
set -u
program="$1"
. "$(dirname "$0")/xvfb-lib.sh"
require_tools Xvfb xdotool xclip
start_xvfb 800x600
# A copy of the program in its own folder, so its settings files land there.
cp "$program" "$work/sumwise"
"$work/sumwise" >"$work/out" 2>"$work/err" &
app=$!
ready_for_keys "$work/err" || exit 1
xdotool type --delay 40 '12+30='
# Edit with the mouse (the menu bar sits at the window's top left), then Copy by its letter.
xdotool mousemove $((X + 51)) $((Y + 8)) click 1
sleep 0.5
xdotool key c
sleep 0.5
xdotool mousemove $((X + 300)) $((Y + 60))
copied=$(xclip -o -selection clipboard 2>/dev/null)
if [ "$copied" != "42.00" ]; then
    echo "expected 42.00 on the clipboard, got '$copied'"; exit 1
fi
# "x" closes the program the normal way, which writes the settings file.
xdotool type 'x'
if ! wait_for_exit "$app" || [ ! -f "$work/Sumwise.ini" ]; then
    echo "the program did not close and save its settings"; exit 1
fi
# A clean exit: no crash and, in a sanitizer build, no report.
if ! wait "$app"; then
    echo "the program did not exit cleanly"; cat "$work/err"; exit 1
fi
echo "1 passed, 0 failed"
