#!/usr/bin/env bash
# Checks the Debian package that `make deb` built, end to end, on the machine itself (as
# root): its control data and contents, then `apt-get install`, the installed program's
# --version and its window under Xvfb (started as an ordinary user and as root), and then
# `apt-get remove` and `apt-get purge` (dpkg --purge), after which nothing of it may be left.
#
# usage: deb-check.sh [DEB_DIR [SOURCE_DIR]]   (default: build-deb of the source, and the
#                                                tree this script is in)
set -u

source_dir=${2:-$(cd "$(dirname "$0")/../.." && pwd)}
deb_dir=${1:-$source_dir/build-deb}
app_id=io.github.sumwise.Sumwise
tape_type=application/x-sumwise-tape
programdir=/usr/lib/sumwise
user=nobody

. "$source_dir/tests/app/xvfb-lib.sh"

passed=0
failed=0
fail() {
    echo "FAIL: $*"
    failed=$((failed + 1))
}
pass() {
    passed=$((passed + 1))
}
# check WHAT COMMAND...: one check, passed when the command succeeds.
check() {
    local what=$1
    shift
    if "$@"; then pass; else fail "$what"; fi
}

if [ "$(id -u)" -ne 0 ]; then
    echo "skipped: installing a package needs root"
    exit 77
fi
require_tools apt-get dpkg-deb setpriv Xvfb xdotool

version=$(sed -n 's/^project(Sumwise VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")
debs=("$deb_dir"/sumwise_"$version"_*.deb)
if [ "${#debs[@]}" -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    echo "FAIL: not one sumwise_${version}_*.deb in $deb_dir (run make deb): ${debs[*]}"
    exit 1
fi
deb=$(cd "$(dirname "${debs[0]}")" && pwd)/$(basename "${debs[0]}")

# apt-get, waiting for the package database while another install holds it.
apt_get() {
    DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=300 -y -q "$@"
}

installed_by_us=no
cleanup() {
    cleanup_xvfb
    if [ "$installed_by_us" = yes ] && dpkg-query -W sumwise >/dev/null 2>&1; then
        apt_get purge sumwise >/dev/null 2>&1
    fi
}

# The files the package must install, beside the program and the link.
package_files=(
    "$programdir/help/index.html"
    "$programdir/help/style.css"
    "/usr/share/applications/$app_id.desktop"
    "/usr/share/icons/hicolor/scalable/apps/$app_id.svg"
    "/usr/share/metainfo/$app_id.metainfo.xml"
    "/usr/share/mime/packages/$app_id.xml"
    "/usr/share/man/man1/sumwise.1.gz"
    "/usr/share/doc/sumwise/copyright"
)

# The control data: the version project() gives the program, and what it needs to run.
check_control() {
    local field
    check "the package's version is $(dpkg-deb -f "$deb" Version), not $version" \
        [ "$(dpkg-deb -f "$deb" Version)" = "$version" ]
    field=$(dpkg-deb -f "$deb" Depends)
    for needed in fonts-liberation2 libqt6widgets6 libqt6printsupport6; do
        check "Depends lacks $needed: $field" grep -qE "(^|, )$needed( |,|$)" <<<"$field"
    done
}

# The contents, unpacked without installing: everything under /usr, the data files as the
# source holds them.
check_contents() {
    local unpacked="$work/unpacked" f pair
    dpkg-deb -x "$deb" "$unpacked"
    check "files outside /usr: $(ls "$unpacked")" [ "$(ls "$unpacked")" = usr ]
    check "$programdir/sumwise is not an executable file" \
        test -f "$unpacked$programdir/sumwise" -a -x "$unpacked$programdir/sumwise"
    check "/usr/bin/sumwise is not the link ../lib/sumwise/sumwise" \
        [ "$(readlink "$unpacked/usr/bin/sumwise")" = ../lib/sumwise/sumwise ]
    for f in "${package_files[@]}"; do
        check "the package lacks $f" test -s "$unpacked$f"
    done
    for pair in "help/index.html:$programdir/help/index.html" \
        "data/$app_id.desktop:/usr/share/applications/$app_id.desktop" \
        "data/$app_id.metainfo.xml:/usr/share/metainfo/$app_id.metainfo.xml" \
        "data/$app_id.xml:/usr/share/mime/packages/$app_id.xml"; do
        check "${pair#*:} differs from ${pair%%:*} of the source" \
            cmp -s "$source_dir/${pair%%:*}" "$unpacked${pair#*:}"
    done
    check "the man page differs from data/sumwise.1" \
        cmp -s "$source_dir/data/sumwise.1" <(gzip -dc "$unpacked/usr/share/man/man1/sumwise.1.gz")
}

check_installed() {
    local f out
    check "sumwise is not installed: $(dpkg-query -W -f='${Status}' sumwise 2>&1)" \
        [ "$(dpkg-query -W -f='${Status}' sumwise 2>/dev/null)" = "install ok installed" ]
    for f in "$programdir/sumwise" "${package_files[@]}"; do
        check "$f is not installed" test -s "$f"
    done
    check "sumwise on the PATH is $(command -v sumwise), not /usr/bin/sumwise" \
        [ "$(command -v sumwise)" = /usr/bin/sumwise ]
    check "/usr/bin/sumwise does not lead to $programdir/sumwise" \
        [ "$(readlink -f /usr/bin/sumwise)" = "$programdir/sumwise" ]
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY sumwise --version 2>&1)
    check "sumwise --version printed: $out" [ "$out" = "sumwise $version" ]
    # The package's triggers made the tape file's type and its program known.
    if command -v update-mime-database >/dev/null; then
        check "the MIME database does not know $tape_type" test -s "/usr/share/mime/$tape_type.xml"
    fi
    if command -v update-desktop-database >/dev/null; then
        check "mimeinfo.cache does not open $tape_type with $app_id.desktop" \
            grep -qF "$tape_type=$app_id.desktop" /usr/share/applications/mimeinfo.cache
    fi
}

# Starts the installed program under Xvfb as USER (nobody or root) with a fresh home, waits
# for its window and ends it with SIGTERM, which closes it the normal way (settings saved).
run_window() {
    local who=$1 home="$work/home-$1"
    mkdir -p "$home/runtime"
    chmod 700 "$home/runtime"
    chown -R "$who:" "$home"
    setpriv --reuid="$who" --regid="$(id -g "$who")" --clear-groups \
        env HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/runtime" \
        /usr/bin/sumwise >"$home/out" 2>"$home/err" &
    app=$!
    if wait_for_window "$app"; then
        pass
    else
        fail "as $who: no Sumwise window appeared: $(cat "$home/err")"
    fi
    kill -TERM "$app"
    check "as $who: the program did not end on SIGTERM" wait_for_exit "$app"
    kill -KILL "$app" 2>/dev/null
    wait "$app" 2>/dev/null
    app=""
}

# An ordinary user cannot write to the program folder: the settings go to its own folder.
check_window_as_user() {
    run_window "$user"
    check "as $user: no Sumwise.ini in \$XDG_CONFIG_HOME/sumwise" \
        test -s "$work/home-$user/config/sumwise/Sumwise.ini"
    check "as $user: files appeared in $programdir: $(ls "$programdir")" \
        [ "$(ls "$programdir")" = "help
sumwise" ]
}

# Root can, and the settings land beside the program; purging must take them away.
check_window_as_root() {
    run_window root
    check "as root: no Sumwise.ini in $programdir" test -s "$programdir/Sumwise.ini"
}

check_removed() {
    local f left state
    apt_get remove sumwise >"$work/remove.log" 2>&1 ||
        fail "apt-get remove: $(cat "$work/remove.log")"
    for f in "$programdir/sumwise" "${package_files[@]}" /usr/bin/sumwise; do
        check "$f is still there after apt-get remove" test ! -e "$f" -a ! -L "$f"
    done
    if command -v update-mime-database >/dev/null; then
        check "the MIME database still knows $tape_type" test ! -e "/usr/share/mime/$tape_type.xml"
    fi
    apt_get purge sumwise >"$work/purge.log" 2>&1 || fail "apt-get purge: $(cat "$work/purge.log")"
    state=$(dpkg-query -W -f='${db:Status-Status}' sumwise 2>/dev/null)
    check "sumwise is $state after the purge" test -z "$state" -o "$state" = not-installed
    left=$(find /usr /etc /var/lib/dpkg/info -path /usr/local -prune -o -iname '*sumwise*' -print)
    check "left after the purge: $left" test -z "$left"
}

start_xvfb 1024x768
trap cleanup EXIT
chmod 755 "$work"

check_control
check_contents
if dpkg-query -W sumwise >/dev/null 2>&1; then
    echo "note: sumwise was installed before; it is replaced and removed"
fi
if apt_get install "$deb" >"$work/install.log" 2>&1; then
    installed_by_us=yes
    pass
    check_installed
    check_window_as_user
    check_window_as_root
    check_removed
else
    fail "apt-get install $deb: $(cat "$work/install.log")"
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
