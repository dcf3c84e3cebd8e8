#!/usr/bin/env bash
# Without a graphical display the program says so in one line and exits with status 1.
set -u
program="$1"
err=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" 2>&1 >/dev/null)
status=$?
lines=$(printf '%s\n' "$err" | wc -l)
if [ "$status" -ne 1 ] || [ "$lines" -ne 1 ] || [ -z "$err" ]; then
    echo "expected status 1 and one line, got status $status and: $err"
    exit 1
fi
# A display that cannot be opened ends the same way, without an abort.
err=$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:987 "$program" 2>&1 >/dev/null)
status=$?
lines=$(printf '%s\n' "$err" | wc -l)
if [ "$status" -ne 1 ] || [ "$lines" -ne 1 ]; then
    echo "unreachable display: expected status 1 and one line, got status $status and: $err"
    exit 1
fi
echo "1 passed, 0 failed"
