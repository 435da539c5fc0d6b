#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks that what lands there
# is a program a desktop can list and start: the layout, the relative link, the
# shipped resources, the desktop entry and the icons. Then it moves the prefix
# elsewhere and runs the Xvfb smoke test on the installed program through its
# link: the chooser, the Technician exam (whose window title comes from the
# installed pool), Ctrl+Q and the statistics file. Skipped (77) when the
# display tools are missing.
#
# Usage: install_test.sh CMAKE BUILD_DIR SMOKE_TEST
set -euo pipefail

cmake_command="$1"
build="$2"
smoke_test="$3"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=acceptance_helpers.sh
source "$here/acceptance_helpers.sh"

work="$(mktemp -d)"
cleanup() {
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    exit 1
}

prefix="$work/prefix"
install_build "$cmake_command" "$build" "$prefix" "$work/install.log" || exit 1

# The program beside its resources, and the link the desktop starts.
program="$prefix/lib/varno/bin/varno"
[ -f "$program" ] && [ -x "$program" ] || fail "no program at lib/varno/bin/varno"
[ -L "$prefix/bin/varno" ] || fail "bin/varno is not a symbolic link"
target="$(readlink "$prefix/bin/varno")"
case "$target" in
    /*) fail "bin/varno points to the absolute path $target" ;;
esac
[ "$(readlink -f "$prefix/bin/varno")" = "$(readlink -f "$program")" ] ||
    fail "bin/varno leads to $(readlink -f "$prefix/bin/varno"), not to the program"

# Every shipped resource, byte for byte as the build has it.
resources="$prefix/lib/varno/Resources"
[ -d "$resources" ] || fail "no lib/varno/Resources"
diff -r "$build/Resources" "$resources" >"$work/resources.diff" ||
    { cat "$work/resources.diff"; fail "the installed resources differ from the build's"; }
for name in TechFile.txt GeneralFile.txt ExtraFile.txt Pic200.gif Pic201.gif "Varno Docs.pdf"; do
    [ -s "$resources/$name" ] || fail "resource \"$name\" is missing or empty"
done

# The desktop entry and the icon it names.
entry="$prefix/share/applications/varno.desktop"
[ -f "$entry" ] || fail "no share/applications/varno.desktop"
grep -qx 'Exec=varno' "$entry" || fail "the desktop entry does not start varno"
grep -qx 'Icon=varno' "$entry" || fail "the desktop entry does not name the varno icon"
if command -v desktop-file-validate >/dev/null 2>&1; then
    desktop-file-validate "$entry" || fail "desktop-file-validate rejects the desktop entry"
else
    echo "note: desktop-file-validate is not installed; the entry's syntax was not checked"
fi
for size in 48 128 256; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/varno.png"
    [ -f "$icon" ] || fail "no ${size}x${size} icon"
    # A PNG signature, then the header's width and height (big-endian).
    signature="$(od -An -tx1 -N8 "$icon" | tr -d ' \n')"
    [ "$signature" = "89504e470d0a1a0a" ] || fail "the ${size}x${size} icon is not a PNG"
    read -r width height < <(od -An -tu4 --endian=big -j16 -N8 "$icon")
    [ "$width" = "$size" ] && [ "$height" = "$size" ] ||
        fail "the ${size}x${size} icon is ${width}x${height}"
done

# The prefix moved as a whole still runs: nothing points back to where it was
# installed.
moved="$work/moved/varno"
mkdir -p "$(dirname "$moved")"
mv "$prefix" "$moved"

status=0
bash "$smoke_test" "$moved/bin/varno" || status=$?
[ "$status" -eq 0 ] || exit "$status"

echo "PASS: installed layout, desktop entry and icons; the moved prefix starts, quits and reads its pools"
