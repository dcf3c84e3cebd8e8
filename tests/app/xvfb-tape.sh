#!/usr/bin/env bash
# The tape as a document in the real program, under Xvfb and openbox, keys typed through the
# X server: a tape survives kill -9 and comes back with File > Reopen Last Tape; Copy Tape
# reaches the clipboard; Save Tape As, Export Tape as CSV and Print to PDF write through the
# save dialog; a tape file named on the command line opens at start, a bad one is refused in
# a message box. Add mode keys amounts in cents.
set -u
program="$1"
. "$(dirname "$0")/xvfb-lib.sh"
require_tools Xvfb openbox xdotool xclip pdftotext python3
. "$(dirname "$0")/xvfb-desk.sh"
tape=$'+ 12.50\n+ 3.99\n= 16.49\tlunch'

start
xdotool type --delay 40 '12.5+3.99='
xdotool key F3 # a note on the newest line, in a box titled as the program
wait_windows Sumwise ge 2 && xdotool type --delay 20 'lunch' && xdotool key Return
wait_windows Sumwise le 1
kill -9 "$app"
wait "$app" 2>/dev/null

start
check "the new run's tape" "$(copied_tape)" ""
menu f l
check "Copy Tape after Reopen Last Tape" "$(copied_tape)" "$tape"
menu f c
save_as "Export Tape as CSV" "$work/day"
check "CSV through the save dialog" "$(python3 - "$work/day.csv" <<'PY'
import csv, sys
with open(sys.argv[1], newline="", encoding="utf-8") as f:
    rows = list(csv.reader(f))
print(rows[0] == ["Line", "Kind", "Operator", "Amount", "Text", "Note"]
      and rows[1] == ["1", "entry", "+", "12.50", "'+ 12.50", ""]
      and rows[3] == ["3", "total", "=", "16.49", "'= 16.49", "lunch"] and len(rows) == 4)
PY
)" "True"
xdotool key ctrl+s
save_as "Save Tape As" "$work/day"
menu f f
save_as "Print to PDF" "$work/day"
pdftotext -layout "$work/day.pdf" "$work/day.txt" 2>/dev/null
for line in "+ 12.50" "+ 3.99" "lunch" "= 16.49"; do
    check "the PDF shows '$line'" "$(grep -c -F -- "$line" "$work/day.txt" 2>/dev/null)" "1"
done
quit
check "the saved tape file" "$(cat "$work/day.tape")" "$tape"

start "$work/day.tape"
check "a tape file named at start" "$(copied_tape)" "$tape"
check "the window is titled after the file" "$(xdotool getwindowname "$window")" \
    "day.tape - Sumwise"
quit

printf 'hello\n' >"$work/bad.tape"
start "$work/bad.tape"
wait_windows Sumwise ge 2
check "a bad file named at start is refused in a box over the window" "$(windows Sumwise)" "2"
xdotool key Return
wait_windows Sumwise le 1
check "the refused file leaves the tape empty" "$(copied_tape)" ""
quit

# Add mode (Ctrl+D): amounts keyed in cents, and the option is kept for the next run.
start
xdotool key ctrl+d
sleep 0.3
xdotool type --delay 40 '1250+399='
check "add mode" "$(copied_tape)" $'+ 12.50\n+ 3.99\n= 16.49'
xdotool type --delay 40 'c3*1250='
check "add mode takes factors as typed" "$(copied_tape | tail -3)" $'+ 3.00\nx 1250.00\n= 3750.00'
quit
check "add mode is kept" "$(grep -c '^AddMode=1' "$work/Sumwise.options")" "1"

# The tax keys: the rate through Edit > Tax Rate, then Ctrl+T; the note names the tax.
start
xdotool key ctrl+d # add mode off again
menu e r
wait_windows Sumwise ge 2 && xdotool type --delay 40 '19' && xdotool key Return
wait_windows Sumwise le 1
xdotool type --delay 40 '100'
xdotool key ctrl+t
xdotool type --delay 40 '+'
check "the tax note" "$(copied_tape)" $'+ 119.00\tincl. 19% tax 19.00 on 100.00'
quit

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
