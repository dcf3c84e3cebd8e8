#!/usr/bin/env bash
# Under Xvfb and openbox, the window made larger by the window manager: the tape shows more
# lines (a page key passes more of them, read back through Copy Tape), the window opens at that
# size and place at the next start, and it never gets smaller than it was designed.
set -u
program="$1"
. "$(dirname "$0")/xvfb-lib.sh"
require_tools Xvfb openbox xdotool xclip
. "$(dirname "$0")/xvfb-desk.sh"

geometry() { # the window's size and place: "WIDTHxHEIGHT+X+Y"
    eval "$(xdotool getwindowgeometry --shell "$window")"
    echo "${WIDTH}x$HEIGHT+$X+$Y"
}
# How many lines a page key passes: from the first line, Page Down, then a note on the line it
# picks; the tape holds the numbers 1 to 60, so the noted number is one more than the page.
page_lines() {
    xdotool key Home Next F3
    wait_windows Sumwise ge 2 && xdotool type "$1" && xdotool key Return
    wait_windows Sumwise le 1
    local noted
    noted=$(copied_tape | grep -P "\t$1\$" | sed -E 's/^\+ ([0-9]+)\.00\t.*/\1/')
    echo $((${noted:-0} - 1))
}
resize() { # to $1 by $2 pixels, and wait until the window has it
    xdotool windowsize "$window" "$1" "$2"
    for _ in $(seq 50); do
        [ "$(geometry | cut -d+ -f1)" = "$1x$2" ] && break
        sleep 0.1
    done
    sleep 0.5
}

start
designed=$(geometry)
xdotool type --delay 15 "$(for i in $(seq 60); do printf '%d+' "$i"; done)"
before=$(page_lines a)
width=${designed%%x*}
height=${designed#*x}
height=${height%%+*}
resize $((width + 240)) $((height + 200))
grown=$(geometry)
after=$(page_lines b)
check "a taller tape shows more lines ($before, then $after)" \
    "$([ "$before" -gt 5 ] && [ "$after" -ge $((before + 10)) ] && echo yes)" yes
resize 200 100
check "never smaller than designed" "$(geometry | cut -d+ -f1)" "${designed%%+*}"
resize $((width + 240)) $((height + 200))
quit
check "the size is kept in the options file" "$(grep -c '^WindowWidth=[0-9]' "$work/Sumwise.options")" 1

start
check "the next start opens at the size and place it was left at" "$(geometry)" "$grown"
quit
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
