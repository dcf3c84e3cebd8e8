# Sourced after xvfb-lib.sh by the tests that work the calculator like a user under openbox:
# an X server with openbox, a copy of the program in $work (so its settings and journal live
# there too), checks that count, keys into menus and dialogs, and the tape read back through
# Edit > Copy Tape.
#   check WHAT GOT EXPECTED   counts a pass, or says what failed
#   start [ARG...]            starts the copy ($copy) as $app and gives it the keyboard
#   menu M I, save_as TITLE PATH, windows TITLE, wait_windows TITLE ge|le N, copied_tape, quit
start_xvfb 1024x768
HOME="$work" openbox --config-file /dev/null >/dev/null 2>&1 &
wm=$!
copy="$work/sumwise"
cp "$program" "$copy"
passed=0
failed=0
check() {
    if [ "$2" = "$3" ]; then
        passed=$((passed + 1))
    else
        echo "FAIL: $1: expected '$3', got '$2'"
        failed=$((failed + 1))
    fi
}
start() {
    "$copy" "$@" >"$work/out" 2>"$work/err" &
    app=$!
    ready_for_keys "$work/err" || exit 1
    xdotool windowactivate --sync "$window" 2>/dev/null
    sleep 0.3
}
menu() { # a menu by its letter, then an item by its letter
    xdotool key "alt+$1"
    sleep 1
    xdotool key "$2"
    sleep 1
}
windows() { # how many windows titled $1 the program shows
    xdotool search --all --onlyvisible --pid "$app" --name "^$1\$" 2>/dev/null | wc -l
}
wait_windows() { # until the program shows at least ($2 = ge) or at most ($2 = le) $3 windows
    # titled $1; a slow build takes its time
    for _ in $(seq 300); do
        [ "$(windows "$1")" -"$2" "$3" ] && sleep 0.3 && return 0
        sleep 0.1
    done
    echo "FAIL: expected $2 $3 windows titled '$1', saw $(windows "$1")"
    failed=$((failed + 1))
    return 1
}
save_as() { # in the dialog titled $1, whose name field has the focus: a full path and Enter
    wait_windows "$1" ge 1 || return 1
    xdotool type --delay 20 "$2"
    xdotool key Return
    sleep 1.5
}
copied_tape() {
    menu e t
    xclip -o -selection clipboard 2>/dev/null
}
quit() {
    xdotool key x
    wait_for_exit "$app" || echo "FAIL: the program did not close"
    app=""
}
