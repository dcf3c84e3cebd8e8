#!/usr/bin/env bash
# The real program under Xvfb: SIGTERM, SIGHUP and SIGINT end it the normal way, so a bank
# selected this run is in Sumwise.ini afterwards, even with a dialog open.
set -u
program="$1"
. "$(dirname "$0")/xvfb-lib.sh"
require_tools Xvfb xdotool
# Job control: a background job of a script would otherwise start with SIGINT ignored.
set -m
start_xvfb 800x600
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
    if ! ready_for_keys "$folder/err"; then
        echo "FAIL $case"; failed=$((failed + 1))
        continue
    fi
    for key in ${keys//,/ }; do
        if [ "$key" = TERM ]; then
            kill -TERM "$app" # a second signal on the way
        else
            xdotool key "$key"
            sleep 0.3
        fi
    done
    kill -"$signal" "$app"
    if ! wait_for_exit "$app"; then
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
