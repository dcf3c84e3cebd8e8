#!/usr/bin/env bash
# The real program under Xvfb: SIGTERM, SIGHUP and SIGINT end it the normal way, so a bank
# selected this run is in Sumwise.ini afterwards, even with a dialog open.
set -u
program="$1"
for tool in Xvfb xdotool; do
    if ! command -v "$tool" >/dev/null; then
        echo "skipped: $tool is not installed"
        exit 77 # ctest reports a skip, not a pass
    fi
done
# Job control: a background job of a script would otherwise start with SIGINT ignored.
set -m
work=$(mktemp -d)
display=":$((200 + RANDOM % 500))"
Xvfb "$display" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
app=""
cleanup() {
    kill $app "$xvfb" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
export DISPLAY="$display"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
for _ in $(seq 100); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
passed=0
failed=0

# signal, keys before it (Ctrl+3 selects the third bank, F4 opens its rename box), the line
# the settings file must hold
cases=(
    "TERM ctrl+3 optMem2=True"
    "HUP ctrl+3 optMem2=True"
    "INT ctrl+3 optMem2=True"
    "TERM ctrl+4,F4 optMem3=True"
    "TERM ctrl+5,TERM optMem4=True"
)
for case in "${cases[@]}"; do
    read -r signal keys expected <<<"$case"
    folder="$work/$signal-$passed-$failed"
    mkdir "$folder"
    cp "$program" "$folder/sumwise"
    "$folder/sumwise" >"$folder/out" 2>"$folder/err" &
    app=$!
    window=""
    for _ in $(seq 300); do # 30 s: a loaded or sanitized build starts slowly
        window=$(xdotool search --onlyvisible --pid "$app" --name '^Sumwise$' 2>/dev/null | head -1)
        [ -n "$window" ] && break
        sleep 0.1
    done
    if [ -z "$window" ]; then
        echo "FAIL $case: the window did not appear"; cat "$folder/err"; failed=$((failed + 1))
        kill "$app"; wait "$app"; app=""
        continue
    fi
    sleep 0.5
    # No window manager: the pointer over the window gives it the keyboard.
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove $((X + 300)) $((Y + 60))
    sleep 0.2
    for key in ${keys//,/ }; do
        if [ "$key" = TERM ]; then
            kill -TERM "$app" # a second signal on the way
        else
            xdotool key "$key"
            sleep 0.3
        fi
    done
    kill -"$signal" "$app"
    for _ in $(seq 150); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$app" 2>/dev/null; then
        echo "FAIL $case: still running after SIG$signal"; failed=$((failed + 1))
        kill -KILL "$app"; wait "$app"; app=""
        continue
    fi
    wait "$app"
    status=$?
    app=""
    if [ "$status" -ne 0 ]; then
        echo "FAIL $case: exit status $status"; cat "$folder/err"; failed=$((failed + 1))
    elif ! tr -d '\r' <"$folder/Sumwise.ini" 2>/dev/null | grep -qx "$expected"; then
        echo "FAIL $case: Sumwise.ini lacks $expected"; failed=$((failed + 1))
    else
        passed=$((passed + 1))
    fi
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
