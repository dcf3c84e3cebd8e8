#!/usr/bin/env bash
# Faults as users and machines make them, in the real program under Xvfb and openbox, keys
# typed through the X server:
#   kill -9 while typing: the reopened tape is whole lines of what was typed;
#   two copies on one folder: each keeps its own journal, Reopen brings back the last ended;
#   Undo after typing: only the note goes, the lines typed since stay;
#   a journal that cannot be written: the notice takes no keys, every key reaches the tape.
# With "full-disk" (root, a small tmpfs): a journal rewrite on a full disk keeps the old file
# whole, leaves no temporary and loses no key; skipped (77) where no tmpfs can be mounted.
set -u
program="$1"
mode="${2:-}"
. "$(dirname "$0")/xvfb-lib.sh"
require_tools Xvfb openbox xdotool xclip
. "$(dirname "$0")/xvfb-desk.sh"
sep='***********************'

note() { # F3 on the newest line, the note typed into its box
    xdotool key F3
    wait_windows Sumwise ge 2 && xdotool type --delay 20 "$1" && xdotool key Return
    sleep 1
}
killed() {
    kill -9 "$app"
    wait "$app" 2>/dev/null
    app=""
}

if [ "$mode" = full-disk ]; then
    disk="$work/disk"
    mkdir "$disk"
    size=$(($(stat -c %s "$program") / 1024 + 2048))
    if [ "$(id -u)" != 0 ] || ! mount -t tmpfs -o "size=${size}k" tmpfs "$disk" 2>/dev/null; then
        echo "skipped: no small tmpfs can be mounted here"
        exit 77
    fi
    trap '[ -n "$app" ] && kill "$app" && wait "$app"; umount "$disk"; cleanup_xvfb' EXIT
    copy="$disk/sumwise"
    cp "$program" "$copy"
    start
    xdotool type --delay 60 '1+2+'
    note a
    before=$(cat "$disk/Sumwise.tape")
    dd if=/dev/zero of="$disk/filler" bs=4k 2>/dev/null
    note b # a rewrite that cannot be done
    xdotool type --delay 100 '3+4+'
    sleep 0.5
    check "the old journal, byte for byte" "$(cat "$disk/Sumwise.tape")" "$before"
    check "no temporary left" "$(ls "$disk" | grep -c '\.tmp\.')" "0"
    check "the notice is shown beside the window" "$(windows Sumwise)" "2"
    check "every key on the tape" "$(copied_tape)" $'+ 1.00\n+ 2.00\tb\n+ 3.00\n+ 4.00'
    killed
    rm "$disk/filler"
    start
    menu f l
    check "the tape reopened after the full disk" "$(copied_tape)" $'+ 1.00\n+ 2.00\ta'
    killed
    echo "$passed passed, $failed failed"
    [ "$failed" -eq 0 ]
    exit
fi

# kill -9 while keys are being typed: whatever comes back is whole lines, in order.
typed=$'+ 1.00\n+ 2.00\n+ 3.00\n+ 4.00\n+ 5.00\n+ 6.00\n+ 7.00\n+ 8.00'
for pause in 0.6 1.0 1.4; do
    start
    xdotool type --delay 50 '1+2+3+4+5+6+7+8+' &
    typing=$!
    sleep "$pause"
    killed
    wait "$typing" 2>/dev/null
    start
    menu f l
    reopened=$(copied_tape)
    case "$typed" in
    "$reopened"*) check "kill -9 after ${pause}s: a head of what was typed" "ok" "ok" ;;
    *) check "kill -9 after ${pause}s: a head of what was typed" "$reopened" "a head of the typed lines" ;;
    esac
    quit
done

# Two copies on one folder.
rm -f "$work"/Sumwise*.tape
start
first=$app
first_window=$window
xdotool type --delay 60 '1+2+'
start
others=$first
xdotool type --delay 60 '5+6+'
second=$app
xdotool windowactivate --sync "$first_window" 2>/dev/null
sleep 0.3
xdotool type --delay 60 '3+'
sleep 0.3
check "the first copy's journal" "$(cat "$work/Sumwise.tape")" $'+ 1.00\n+ 2.00\n+ 3.00'
check "the second copy's journal" "$(cat "$work/Sumwise-2.tape")" $'+ 5.00\n+ 6.00'
app=$first
quit
app=$second
others=""
ready_for_keys "$work/err" && xdotool windowactivate --sync "$window" 2>/dev/null
sleep 0.3
quit
start
menu f l
check "Reopen brings back the copy that ended last" "$(copied_tape)" $'+ 5.00\n+ 6.00\n'"$sep"
quit

# Undo after typing: the note goes, the lines typed after it stay.
start
xdotool type --delay 60 '10+20+'
note x
xdotool type --delay 60 '30+40+50+'
xdotool key ctrl+z
sleep 0.3
check "Undo keeps the lines typed since" "$(copied_tape)" \
    $'+ 10.00\n+ 20.00\n+ 30.00\n+ 40.00\n+ 50.00'
quit

# A journal that cannot be written: something other than a file in its place.
rm -f "$work"/Sumwise*.tape
mkdir "$work/Sumwise.tape"
start
xdotool type --delay 100 '12.5+3.99='
sleep 0.5
check "the notice is shown beside the window" "$(windows Sumwise)" "2"
check "no key is lost to the notice" "$(copied_tape)" $'+ 12.50\n+ 3.99\n= 16.49'
quit
rmdir "$work/Sumwise.tape"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
