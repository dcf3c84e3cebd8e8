#!/usr/bin/env bash
# The real program under a decimal-comma locale and a German keyboard layout, typed through
# the X server: numbers keep the point, the keypad's decimal key is the point whatever it
# types, and Save Result ("s") prints the result on standard output.
set -u
program="$1"
locales="${2:-}"
. "$(dirname "$0")/xvfb-lib.sh"
require_tools Xvfb xdotool
start_xvfb 800x600
unset LANGUAGE
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
    if ! ready_for_keys "$work/err"; then
        echo "FAIL $case"; failed=$((failed + 1))
        continue
    fi
    xdotool key --delay 40 ${keys//,/ } s
    if ! wait_for_exit "$app"; then
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
