#!/usr/bin/env bash
# Under Xvfb and openbox, keys typed through the X server: after menus opened and closed with
# Alt and Escape or the mouse, typed digits and an operator reach the tape; Ctrl+C, Ctrl+V and
# Ctrl+Shift+C copy the display, paste and copy the tape.
set -u
program="$1"
. "$(dirname "$0")/xvfb-lib.sh"
require_tools Xvfb openbox xdotool xclip
. "$(dirname "$0")/xvfb-desk.sh"
tape=""
typed() { # after $1, a number and "+": the tape has one line more
    xdotool type --delay 60 "$2+"
    tape="$tape${tape:+$'\n'}+ $2.00"
    check "keys after $1" "$(copied_tape)" "$tape"
}
clipboard() { sleep 0.5 && xclip -o -selection clipboard 2>/dev/null; }
start
for keys in "alt+f Escape" "alt+f Escape alt+e Escape Escape" "alt+v Escape Escape" \
    "alt+f Escape alt+e Escape alt"; do
    xdotool key --delay 600 $keys && sleep 0.6
    typed "$keys" ${#keys} # any number: the length of the sequence
done
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + 20)) $((Y + 10)) click 1 sleep 0.8 click 1 sleep 0.8 # File, twice
typed "File clicked twice" 7
xdotool type --delay 60 '12.5' && xdotool key ctrl+c
check "Ctrl+C copies the display" "$(clipboard)" "12.5"
printf '1,234.5' | xclip -i -selection clipboard -quiet 2>/dev/null & # until the program copies
others="$others $!"
xdotool type --delay 60 '+' && sleep 0.3 && xdotool key ctrl+v && xdotool type '+'
xdotool key ctrl+shift+c
check "Ctrl+V pastes, Ctrl+Shift+C copies the tape" "$(clipboard | tail -2)" $'+ 12.50\n+ 1234.50'
quit
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
