#!/usr/bin/env bash
# Edit > Margin and Markup under Xvfb and openbox: 80 and a margin of 20% give the sell price
# (a margin of 100% is refused, the window stays); Enter in Sell uses it in a calculation
# whose printed tape carries the note.
set -u
program="$1"
. "$(dirname "$0")/xvfb-lib.sh"
require_tools Xvfb openbox xdotool xclip pdftotext
. "$(dirname "$0")/xvfb-desk.sh"
title="Margin and Markup"

start
xdotool type --delay 40 '80'
xdotool key ctrl+m
wait_windows "$title" ge 1
xdotool key alt+g # the margin field, by its letter
xdotool type --delay 40 '100'
xdotool key Return
sleep 0.5
check "a margin of 100% keeps the window open" "$(windows "$title")" "1"
xdotool key BackSpace BackSpace BackSpace
xdotool type --delay 40 '20'
xdotool key alt+e Return # Enter in Sell uses the sell price
wait_windows "$title" le 0
xdotool type --delay 40 '+5='
check "the tape" "$(copied_tape)" \
    $'+ 100.00\tcost 80.00, margin 20% → sell 100.00\n+ 5.00\n= 105.00'
menu f f
save_as "Print to PDF" "$work/margin"
pdftotext -layout "$work/margin.pdf" "$work/margin.txt" 2>/dev/null
# The note is printed wrapped beside its line: the text left of the lines, read as one.
check "the printed note" "$(sed -E 's/ {2,}.*$//' "$work/margin.txt" | tr -s '\n' ' ' |
    grep -c -F "cost 80.00, margin 20% → sell 100.00")" "1"
quit

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
