#!/usr/bin/env bash
# A screen reader's view of the real program: under Xvfb, with a session bus and the AT-SPI
# bus, keys are typed and atspi-read.py reads the accessibility tree: the display's text and
# value and their announcements, the tape's lines with their notes, and the picked line.
set -u
program="$1"
here="$(dirname "$0")"
. "$here/xvfb-lib.sh"
require_tools Xvfb openbox xdotool dbus-daemon
python=/usr/bin/python3 # the system's, which has the AT-SPI bindings
launcher=/usr/libexec/at-spi-bus-launcher
if [ ! -x "$python" ] || ! "$python" -c 'import pyatspi' 2>/dev/null || [ ! -x "$launcher" ]; then
    echo "skipped: the AT-SPI bus or python3-pyatspi is not installed"
    exit 77
fi
. "$here/xvfb-desk.sh"

# A session bus of our own, and the accessibility bus on it.
dbus-daemon --session --nofork --print-address=3 3>"$work/bus" 2>/dev/null &
others=$!
for _ in $(seq 50); do [ -s "$work/bus" ] && break; sleep 0.1; done
export DBUS_SESSION_BUS_ADDRESS="$(head -1 "$work/bus")"
"$launcher" --launch-immediately >/dev/null 2>&1 &
others="$others $!"
sleep 1
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

start
xdotool type --delay 40 '12.5+3.99='
xdotool key F3 # a note on the newest line
wait_windows Sumwise ge 2 && xdotool type --delay 20 'lunch' && xdotool key Return
wait_windows Sumwise le 1
sleep 0.5
"$python" "$here/atspi-read.py"
result=$?
quit
[ "$failed" -eq 0 ] && exit "$result"
echo "$passed passed, $failed failed"
exit 1
