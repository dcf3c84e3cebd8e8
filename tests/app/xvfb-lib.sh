# Sourced by the desktop tests: a private X server, the program's window, and clean-up.
#   require_tools TOOL...   ends the test as a skip (77) when a tool is missing
#   start_xvfb SIZE         an X server of that screen size on a free display; sets $work (a
#                           temporary folder), exports DISPLAY and removes both at exit,
#                           together with the processes in $app, $wm and $others
#   wait_for_window PID     sets $window to the process's visible "Sumwise" window (or
#                           "NAME.tape - Sumwise", titled after its tape's file); false
#                           when none appears within 30 s (a loaded or sanitized build starts
#                           slowly)
#   wait_for_exit PID       true once the process has ended, false after 15 s
#   ready_for_keys ERRFILE  waits for the window of $app and puts the pointer over it, which
#                           gives it the keyboard without a window manager; when no window
#                           appears, shows ERRFILE, ends $app and is false

require_tools() {
    local tool
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null; then
            echo "skipped: $tool is not installed"
            exit 77 # ctest reports a skip, not a pass
        fi
    done
}

app=""
wm=""
others=""
xvfb=""
work=""

cleanup_xvfb() {
    kill $app $others $wm $xvfb 2>/dev/null
    wait 2>/dev/null
    [ -n "$work" ] && rm -rf "$work"
}

start_xvfb() {
    work=$(mktemp -d)
    local display=":$((200 + RANDOM % 500))"
    # -noreset: by default the server resets when its last client leaves, and a program that
    # connects during the reset is refused.
    Xvfb "$display" -screen 0 "$1x24" -nolisten tcp -noreset >/dev/null 2>&1 &
    xvfb=$!
    trap cleanup_xvfb EXIT
    export DISPLAY="$display"
    unset QT_QPA_PLATFORM WAYLAND_DISPLAY
    for _ in $(seq 100); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
}

wait_for_window() {
    window=""
    for _ in $(seq 300); do
        window=$(xdotool search --all --onlyvisible --pid "$1" --name '^(.+ - )?Sumwise$' 2>/dev/null | head -1)
        [ -n "$window" ] && return 0
        sleep 0.1
    done
    return 1
}

wait_for_exit() {
    for _ in $(seq 150); do
        kill -0 "$1" 2>/dev/null || return 0
        sleep 0.1
    done
    ! kill -0 "$1" 2>/dev/null
}

ready_for_keys() {
    if ! wait_for_window "$app"; then
        echo "the window did not appear"
        cat "$1"
        kill "$app"
        wait "$app"
        app=""
        return 1
    fi
    sleep 0.5
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove $((X + 300)) $((Y + 60))
    sleep 0.2
}
