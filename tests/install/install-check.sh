#!/usr/bin/env bash
# Installs a built tree into scratch folders, once with --prefix and once with DESTDIR, and
# checks what lands there: the program folder with the program and its help, the link in
# bin, the desktop entry, icon, AppStream metainfo, tape file type and man page, each checked
# by its own validator, and (given the source folder) that they are the source's current
# files. Then starts the installed program through bin/sumwise: --version answers without a
# display, and the program takes lib/sumwise as its folder.
#
# usage: install-check.sh BUILD_DIR [SOURCE_DIR]
set -u

build=${1:?usage: install-check.sh BUILD_DIR [SOURCE_DIR]}
build=$(cd "$build" && pwd)
source=${2:-}
app_id=io.github.sumwise.Sumwise
tape_type=application/x-sumwise-tape

passed=0
failed=0
fail() {
    echo "FAIL: $*"
    failed=$((failed + 1))
}
pass() {
    passed=$((passed + 1))
}

for tool in cmake desktop-file-validate appstreamcli man groff update-mime-database; do
    if ! command -v "$tool" >/dev/null; then
        echo "FAIL: $tool is not installed"
        exit 1
    fi
done

tmp=$(mktemp -d)
started_pid=""
cleanup() {
    if [ -n "$started_pid" ]; then
        kill "$started_pid" 2>/dev/null
        wait "$started_pid" 2>/dev/null
    fi
    chmod -R u+w "$tmp" 2>/dev/null
    rm -rf "$tmp"
}
trap cleanup EXIT

# The layout the build was configured with (the defaults when the cache says nothing).
cache_value() {
    local value
    value=$(sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt" 2>/dev/null | head -n 1)
    printf '%s' "${value:-$2}"
}
programdir=$(cache_value SUMWISE_INSTALL_PROGRAMDIR lib/sumwise)
bindir=$(cache_value CMAKE_INSTALL_BINDIR bin)
datadir=$(cache_value CMAKE_INSTALL_DATADIR share)
mandir=$(cache_value CMAKE_INSTALL_MANDIR share/man)
version=$(cache_value CMAKE_PROJECT_VERSION 1.0.0)

# Every file of the installed tree under ROOT (the prefix as seen on disk).
check_files() {
    local root=$1 what=$2 f
    local program="$root/$programdir/sumwise"
    if [ -f "$program" ] && [ -x "$program" ] && [ ! -L "$program" ]; then
        pass
    else
        fail "$what: $programdir/sumwise is not an executable file"
    fi
    for f in "$programdir/help/index.html" \
        "$datadir/applications/$app_id.desktop" \
        "$datadir/icons/hicolor/scalable/apps/$app_id.svg" \
        "$datadir/metainfo/$app_id.metainfo.xml" \
        "$datadir/mime/packages/$app_id.xml" \
        "$mandir/man1/sumwise.1"; do
        if [ -s "$root/$f" ]; then pass; else fail "$what: $f is missing or empty"; fi
    done

    # With the source folder given: what was installed is what the source holds now.
    if [ -n "$source" ]; then
        local pair
        for pair in "help/index.html:$programdir/help/index.html" \
            "help/style.css:$programdir/help/style.css" \
            "data/$app_id.desktop:$datadir/applications/$app_id.desktop" \
            "data/sumwise.svg:$datadir/icons/hicolor/scalable/apps/$app_id.svg" \
            "data/$app_id.metainfo.xml:$datadir/metainfo/$app_id.metainfo.xml" \
            "data/$app_id.xml:$datadir/mime/packages/$app_id.xml" \
            "data/sumwise.1:$mandir/man1/sumwise.1"; do
            if cmp -s "$source/${pair%%:*}" "$root/${pair#*:}"; then
                pass
            else
                fail "$what: ${pair#*:} differs from ${pair%%:*} of the source"
            fi
        done
    fi

    # bin/sumwise: a link inside the tree (relative, so it survives DESTDIR) to the program.
    local entry="$root/$bindir/sumwise"
    if [ -L "$entry" ]; then
        case $(readlink "$entry") in
        /*) fail "$what: $bindir/sumwise links to an absolute path: $(readlink "$entry")" ;;
        *) pass ;;
        esac
        if [ "$(readlink -f "$entry")" = "$(readlink -f "$program")" ]; then
            pass
        else
            fail "$what: $bindir/sumwise leads to $(readlink -f "$entry"), not the program"
        fi
    elif [ -f "$entry" ] && [ -x "$entry" ]; then
        pass # a wrapper script would do as well
    else
        fail "$what: $bindir/sumwise is missing"
    fi
}

# The desktop entry, the metainfo and the icon, by their validators and against each other.
check_desktop_integration() {
    local root=$1 what=$2 out
    local desktop="$root/$datadir/applications/$app_id.desktop"
    local metainfo="$root/$datadir/metainfo/$app_id.metainfo.xml"
    local icon="$root/$datadir/icons/hicolor/scalable/apps/$app_id.svg"

    if out=$(desktop-file-validate "$desktop" 2>&1) && ! printf '%s\n' "$out" | grep -qiE 'error|warning'; then
        pass
    else
        fail "$what: desktop-file-validate: $out"
    fi
    local exec icon_name
    exec=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
    icon_name=$(sed -n 's/^Icon=//p' "$desktop")
    if [ -n "$exec" ] && [ -e "$root/$bindir/$exec" ]; then
        pass
    else
        fail "$what: Exec=$exec is not installed in $bindir"
    fi
    if [ "$icon_name.svg" = "$(basename "$icon")" ]; then
        pass
    else
        fail "$what: Icon=$icon_name does not name the installed icon"
    fi

    if out=$(appstreamcli validate --no-net "$metainfo" 2>&1) && ! printf '%s\n' "$out" | grep -qE '^ *[EW]: '; then
        pass
    else
        fail "$what: appstreamcli validate: $out"
    fi
    # The metainfo's launchable must be the desktop entry that was installed beside it.
    if grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo"; then
        pass
    else
        fail "$what: the metainfo does not launch $app_id.desktop"
    fi
    if out=$(appstreamcli validate-tree --no-net "$root" 2>&1) && ! printf '%s\n' "$out" | grep -qE '^ *[EW]: '; then
        pass
    else
        fail "$what: appstreamcli validate-tree: $out"
    fi

    # A plain SVG: no scripts, nothing fetched from elsewhere.
    if grep -qiE '<script|(xlink:)?href="(https?:|file:|/)' "$icon"; then
        fail "$what: the icon refers to outside resources or holds a script"
    else
        pass
    fi
    if command -v rsvg-convert >/dev/null; then
        local size
        for size in 16 256; do
            if rsvg-convert -w "$size" -h "$size" "$icon" -o "$tmp/icon-$size.png" 2>/dev/null &&
                [ -s "$tmp/icon-$size.png" ]; then
                pass
            else
                fail "$what: the icon does not render at $size px"
            fi
        done
    fi
}

# The tape file's type: the shared-mime-info file builds a database of its own without a
# complaint, and that database knows the type by its glob, parent and comment; the desktop
# entry takes a file and names the type. DATABASE says whether the install itself updated
# the prefix's databases (yes without DESTDIR, no into a staging tree).
check_mime_type() {
    local root=$1 what=$2 database=$3 out
    local package="$root/$datadir/mime/packages/$app_id.xml"
    local desktop="$root/$datadir/applications/$app_id.desktop"
    local scratch="$tmp/mime-check"
    rm -rf "$scratch"
    mkdir -p "$scratch/mime/packages"
    cp "$package" "$scratch/mime/packages/" 2>/dev/null
    if command -v xmllint >/dev/null; then
        if out=$(xmllint --noout "$package" 2>&1); then pass; else fail "$what: xmllint: $out"; fi
    fi
    # It reports a broken file on standard error yet exits 0.
    if out=$(XDG_DATA_HOME="$scratch" update-mime-database "$scratch/mime" 2>&1) &&
        [ -z "$out" ]; then
        pass
    else
        fail "$what: update-mime-database: $out"
    fi
    if grep -qxF "$tape_type:*.tape" <(cut -d: -f2- "$scratch/mime/globs2" 2>/dev/null); then
        pass
    else
        fail "$what: the MIME database does not give *.tape the type $tape_type"
    fi
    if grep -qxF "$tape_type text/plain" "$scratch/mime/subclasses" 2>/dev/null; then
        pass
    else
        fail "$what: $tape_type is not a kind of text/plain"
    fi
    if grep -qF "<comment>Sumwise tape</comment>" "$scratch/mime/$tape_type.xml" 2>/dev/null; then
        pass
    else
        fail "$what: $tape_type has no comment \"Sumwise tape\""
    fi

    if grep -qxE 'Exec=sumwise %[fF]' "$desktop" &&
        grep -qxE "MimeType=(.*;)?$tape_type;.*" "$desktop"; then
        pass
    else
        fail "$what: the desktop entry does not open files of the type $tape_type"
    fi

    if [ "$database" = yes ]; then
        if [ -s "$root/$datadir/mime/$tape_type.xml" ]; then
            pass
        else
            fail "$what: installing did not update the MIME database of the prefix"
        fi
        if command -v update-desktop-database >/dev/null; then
            if grep -qF "$tape_type=$app_id.desktop" "$root/$datadir/applications/mimeinfo.cache" 2>/dev/null; then
                pass
            else
                fail "$what: installing did not list the desktop entry for $tape_type"
            fi
        fi
    else
        out=$(find "$root/$datadir/mime" -mindepth 1 -maxdepth 1 ! -name packages)
        out+=$(find "$root/$datadir/applications" -name mimeinfo.cache)
        if [ -z "$out" ]; then pass; else fail "$what: databases written into the staging tree: $out"; fi
    fi
}

# The man page renders without a warning and has its sections.
check_man_page() {
    local root=$1 what=$2 out section
    local page="$root/$mandir/man1/sumwise.1"
    out=$(groff -man -ww -z "$page" 2>&1)
    if [ -z "$out" ]; then pass; else fail "$what: groff warns: $out"; fi
    out=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    if [ -z "$out" ]; then pass; else fail "$what: man warns: $out"; fi
    out=$(MANWIDTH=80 man -l "$page" 2>/dev/null)
    for section in NAME SYNOPSIS DESCRIPTION KEYS FILES ENVIRONMENT "EXIT STATUS" "SEE ALSO"; do
        if printf '%s\n' "$out" | grep -q "^$section\$"; then
            pass
        else
            fail "$what: the man page has no $section section"
        fi
    done
}

# Links of the help pages: every local file they name exists, every #fragment names an id
# of its page, ids are unique, and nothing is loaded from elsewhere.
check_help_links() {
    local root=$1 what=$2 page target file fragment ids dups
    local helpdir="$root/$programdir/help"
    for page in "$helpdir"/*.html; do
        [ -e "$page" ] || continue
        local name=${page#"$helpdir"/}
        local bad=0
        if grep -qi '<script' "$page"; then
            fail "$what: $name holds a script"
            bad=1
        fi
        dups=$(grep -oE '\bid="[^"]*"' "$page" | sort | uniq -d)
        if [ -n "$dups" ]; then
            fail "$what: $name has duplicate ids: $dups"
            bad=1
        fi
        while IFS= read -r target; do
            case $target in
            http://* | https://* | mailto:*)
                # Remote pages may be linked, never loaded.
                if grep -qE "<(link|img|script|iframe)[^>]*(src|href)=\"$target\"" "$page"; then
                    fail "$what: $name loads the outside resource $target"
                    bad=1
                fi
                continue
                ;;
            /* | file:*)
                fail "$what: $name links to the absolute path $target"
                bad=1
                continue
                ;;
            esac
            file=${target%%#*}
            fragment=""
            case $target in *'#'*) fragment=${target#*#} ;; esac
            if [ -z "$file" ]; then
                file=$name
            elif [ ! -e "$helpdir/$file" ]; then
                fail "$what: $name links to the missing file $file"
                bad=1
                continue
            fi
            if [ -n "$fragment" ]; then
                case $file in
                *.html)
                    ids=$(grep -oE '\bid="[^"]*"' "$helpdir/$file" | sed 's/^id="//; s/"$//')
                    if ! printf '%s\n' "$ids" | grep -qxF -- "$fragment"; then
                        fail "$what: $name links to #$fragment, which $file does not have"
                        bad=1
                    fi
                    ;;
                esac
            fi
        done < <(grep -oE '\b(href|src)="[^"]*"' "$page" | sed -E 's/^(href|src)="//; s/"$//')
        [ "$bad" -eq 0 ] && pass
    done
    if [ ! -e "$helpdir/index.html" ]; then
        fail "$what: no help/index.html beside the program"
    fi
}

# Waits until FILE exists (up to about 15 seconds).
wait_for_file() {
    local _
    for _ in $(seq 1 75); do
        [ -e "$1" ] && return 0
        sleep 0.2
    done
    return 1
}

# Starts bin/sumwise offscreen with a scratch home and ends it once FILE has appeared.
start_until() {
    local root=$1 file=$2
    mkdir -p "$tmp/runtime" "$tmp/home"
    chmod 700 "$tmp/runtime"
    (cd "$tmp/home" && exec env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen \
        XDG_RUNTIME_DIR="$tmp/runtime" HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/config" \
        "$root/$bindir/sumwise" >/dev/null 2>&1) &
    started_pid=$!
    wait_for_file "$file"
    local found=$?
    kill "$started_pid" 2>/dev/null
    wait "$started_pid" 2>/dev/null
    started_pid=""
    return $found
}

# Started through the link in bin, the program takes its own folder (lib/sumwise) as the
# program folder: the settings appear there while it is writable, and in the per-user
# folder when it is not.
check_program_folder() {
    local root=$1 what=$2 out err status
    # --version answers before anything looks for a display.
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/$bindir/sumwise" --version 2>"$tmp/err")
    status=$?
    err=$(cat "$tmp/err")
    if [ "$status" -eq 0 ] && [ "$out" = "sumwise $version" ] && [ -z "$err" ]; then
        pass
    else
        fail "$what: bin/sumwise --version without a display: status $status, output: $out $err"
    fi

    out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/$bindir/sumwise" 2>&1)
    status=$?
    if [ "$status" -eq 1 ] && [ -n "$out" ]; then
        pass
    else
        fail "$what: bin/sumwise without a display: status $status, output: $out"
    fi

    if start_until "$root" "$root/$programdir/Sumwise.ini"; then
        pass
    else
        fail "$what: started through $bindir/sumwise, no Sumwise.ini appeared in $programdir"
    fi
    if [ -e "$root/$bindir/Sumwise.ini" ] || [ -e "$tmp/config/sumwise/Sumwise.ini" ]; then
        fail "$what: the settings went beside the link or to the per-user folder"
    else
        pass
    fi
    rm -f "$root/$programdir/Sumwise.ini" "$root/$programdir/Sumwise.sbk"

    # A folder the user cannot write to (root writes everywhere, so only for other users).
    if [ "$(id -u)" -ne 0 ]; then
        chmod a-w "$root/$programdir"
        if start_until "$root" "$tmp/config/sumwise/Sumwise.ini"; then
            pass
        else
            fail "$what: with $programdir read-only, no Sumwise.ini in \$XDG_CONFIG_HOME/sumwise"
        fi
        chmod u+w "$root/$programdir"
    fi
}

check_tree() {
    check_files "$1" "$2"
    check_desktop_integration "$1" "$2"
    check_mime_type "$@"
    check_man_page "$1" "$2"
    check_help_links "$1" "$2"
}

# 1. cmake --install --prefix
prefix="$tmp/prefix"
if out=$(cmake --install "$build" --prefix "$prefix" 2>&1); then
    pass
    check_tree "$prefix" "--prefix" yes
    if grep -qxF "$prefix/$bindir/sumwise" "$build/install_manifest.txt" 2>/dev/null; then
        pass
    else
        fail "--prefix: install_manifest.txt does not list $bindir/sumwise"
    fi
    check_program_folder "$prefix" "--prefix"
else
    fail "cmake --install --prefix $prefix: $out"
fi

# 2. DESTDIR with a system prefix: everything lands under the staging folder.
stage="$tmp/stage"
if out=$(DESTDIR="$stage" cmake --install "$build" --prefix /usr 2>&1); then
    pass
    check_tree "$stage/usr" "DESTDIR" no
    outside=$(find "$stage" -mindepth 1 -maxdepth 1 ! -name usr)
    if [ -z "$outside" ]; then pass; else fail "DESTDIR: files outside the prefix: $outside"; fi
else
    fail "DESTDIR=$stage cmake --install --prefix /usr: $out"
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
