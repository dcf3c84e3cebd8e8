#!/usr/bin/env bash
# Without a graphical display the program says so in one line and exits with status 1.
# --help and --version answer all the same, and a command line it cannot use is refused
# with status 2, before anything looks for a display.
set -u
program="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

passed=0
failed=0
fail() {
    echo "FAIL: $*"
    failed=$((failed + 1))
}

# Runs the program with the display environment ENV (a "name=value" or "-u name" list in one
# word, split on purpose) and ARGS; sets status, out and err.
run() {
    local display_env=$1
    shift
    # shellcheck disable=SC2086
    env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM $display_env "$program" "$@" \
        >"$work/out" 2>"$work/err"
    status=$?
    out=$(cat "$work/out")
    err=$(cat "$work/err")
}

# Expects status 1, one line on standard error, nothing on standard output.
expect_no_display() {
    local what=$1
    if [ "$status" -eq 1 ] && [ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] && [ -n "$err" ] &&
        [ -z "$out" ]; then
        passed=$((passed + 1))
    else
        fail "$what: expected status 1 and one line, got status $status and: $out$err"
    fi
}

run "-u DISPLAY"
expect_no_display "no display"
# A display that cannot be opened ends the same way, without an abort.
run "DISPLAY=:987"
expect_no_display "unreachable display"
# A tape file to open does not change that.
run "-u DISPLAY" some.tape
expect_no_display "no display, a tape file"

# --help and --version: status 0, their text on standard output, nothing on standard error.
for display_env in "-u DISPLAY" "DISPLAY=:987"; do
    for option in --help -h --version; do
        run "$display_env" "$option"
        case $option in
        --version) pattern='^sumwise [0-9]+\.[0-9]+\.[0-9]+$' ;;
        *) pattern='^Usage: sumwise ' ;;
        esac
        if [ "$status" -eq 0 ] && [ -z "$err" ] && printf '%s\n' "$out" | head -n 1 |
            grep -qE "$pattern"; then
            passed=$((passed + 1))
        else
            fail "$option ($display_env): status $status, output: $out, errors: $err"
        fi
    done
done

# A command line that cannot be used: status 2, the reason and a hint on standard error.
check_refused() {
    local reason=$1
    shift
    run "-u DISPLAY" "$@"
    local expected
    expected=$(printf 'sumwise: %s\nTry '\''sumwise --help'\''.' "$reason")
    if [ "$status" -eq 2 ] && [ -z "$out" ] && [ "$err" = "$expected" ]; then
        passed=$((passed + 1))
    else
        fail "$*: expected status 2 and '$reason', got status $status and: $out$err"
    fi
}
check_refused "unknown option '--foo'" --foo
check_refused "unknown option '-x'" -x a.tape
check_refused "only one tape file can be opened" a.tape b.tape
check_refused "only one tape file can be opened" a.tape -- -b.tape

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
