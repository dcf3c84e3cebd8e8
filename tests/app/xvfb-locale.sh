#!/usr/bin/env bash
# The real program under a decimal-comma locale and a German keyboard layout, typed through
# the X server: numbers keep the point, the keypad's decimal key is the point whatever it
# types, and Save Result ("s") prints the result on standard output.
set -u
program="$1"
locales="${2:-}"
for tool in Xvfb xdotool; do
    if ! command -v "$tool" >/dev/null; then
        echo "skipped: $tool is not installed"
        exit 77 # ctest reports a skip, not a pass
    fi
done
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
unset QT_QPA_PLATFORM WAYLAND_DISPLAY LANGUAGE
for _ in $(seq 100); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
cp "$program" "$work/sumwise"
passed=0
failed=0
skipped=0

# locale, keyboard layout, keys (xdotool key names), what Save Result prints
cases=(
    "de_DE.UTF-8 us 1,2,period,5,plus,3,period,9,9,equal 16.49"
    "de_DE.UTF-8 us 1,2,comma,5,plus,1,equal 13.5"
    "de_DE.UTF-8 de 1,2,KP_Decimal,5,plus,1,equal 13.5"
    "de_DE.UTF-8 de 1,2,KP_Separator,5,plus,1,equal 13.5"
    "C de 1,2,KP_Separator,5,plus,1,equal 13.5"
    "C de 1,2,comma,5,plus,1,equal 126"
    "C us 1,2,KP_Decimal,5,plus,1,equal 13.5"
)
for case in "${cases[@]}"; do
    read -r locale layout keys expected <<<"$case"
    if [ "$locale" != C ] && [ ! -d "$locales/$locale" ]; then
        echo "skipped: $case (no $locale in '$locales')"
        skipped=$((skipped + 1))
        continue
    fi
    if [ "$layout" != us ] && ! command -v setxkbmap >/dev/null; then
        echo "skipped: $case (setxkbmap is not installed)"
        skipped=$((skipped + 1))
        continue
    fi
    command -v setxkbmap >/dev/null && setxkbmap "$layout"
    rm -f "$work/Sumwise.ini" "$work/Sumwise.sbk"
    LANG="$locale" LC_ALL="$locale" LOCPATH="$locales" "$work/sumwise" >"$work/out" 2>"$work/err" &
    app=$!
    window=""
    for _ in $(seq 300); do # 30 s: a loaded or sanitized build starts slowly
        window=$(xdotool search --onlyvisible --pid "$app" --name '^Sumwise$' 2>/dev/null | head -1)
        [ -n "$window" ] && break
        sleep 0.1
    done
    if [ -z "$window" ]; then
        echo "FAIL $case: the window did not appear"; cat "$work/err"; failed=$((failed + 1))
        kill "$app"; wait "$app"; app=""
        continue
    fi
    sleep 0.5
    # No window manager: the pointer over the window gives it the keyboard.
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove $((X + 300)) $((Y + 60))
    sleep 0.2
    xdotool key --delay 40 ${keys//,/ } s
    for _ in $(seq 150); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$app" 2>/dev/null; then
        echo "FAIL $case: Save Result did not end the program"; failed=$((failed + 1))
        kill "$app"; wait "$app"; app=""
        continue
    fi
    wait "$app"
    status=$?
    app=""
    printed=$(cat "$work/out")
    if [ "$status" -eq 0 ] && [ "$printed" = "$expected" ]; then
        passed=$((passed + 1))
    else
        echo "FAIL $case: printed '$printed', exit status $status"; failed=$((failed + 1))
    fi
done

echo "$passed passed, $failed failed, $skipped skipped"
if [ "$failed" -eq 0 ] && [ "$passed" -eq 0 ] && [ "$skipped" -gt 0 ]; then
    exit 77 # nothing could run here: a skip, not a pass
fi
[ "$failed" -eq 0 ]
