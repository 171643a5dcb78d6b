#!/bin/sh
# A staged install (DESTDIR): every file in its standard place, a valid
# desktop entry, metainfo and manual page, icons of the sizes their folders
# say, and make uninstall takes it all away again.
# usage: staged_install.sh BUILD_DIR
set -eu
. "$(dirname "$0")/common.sh"
build=$(cd "$1" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

root=$(stage_install "$build" "$scratch/stage")
files_under "$root" >"$scratch/found"
sort "$build/dist/installed-files.txt" >"$scratch/listed"
diff -u "$scratch/listed" "$scratch/found" || fail "installed files differ from the uninstall list"

[ -x "$root/bin/bodger2010" ] || fail "no launcher"
[ -x "$root/libexec/bodger2010/bodger2010" ] || fail "no game binary"
[ "$(ls "$root/share/bodger2010/data"/*.ogg | wc -l)" -eq 15 ] || fail "not 15 sounds"
desktop-file-validate "$root/share/applications/$APP_ID.desktop" || fail "desktop entry"
grep -qx 'Categories=Game;ArcadeGame;' "$root/share/applications/$APP_ID.desktop" ||
    fail "desktop entry categories"
appstreamcli validate --no-net "$root/share/metainfo/$APP_ID.metainfo.xml" || fail "metainfo"
for size in 16 22 24 32 48 64 128 256; do
    icon=$root/share/icons/hicolor/${size}x$size/apps/$APP_ID.png
    file "$icon" | grep -q "PNG image data, $size x $size," || fail "icon $icon"
done
if command -v man >/dev/null; then
    warnings=$(MANWIDTH=80 man --warnings -l "$root/share/man/man6/bodger2010.6" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "manual page: $warnings"
fi

DESTDIR=$scratch/stage cmake --build "$build" --target uninstall >/dev/null
left=$(files_under "$scratch/stage")
[ -z "$left" ] || fail "left after uninstall: $left"
[ ! -e "$root/share/bodger2010" ] && [ ! -e "$root/libexec/bodger2010" ] ||
    fail "the game's folders are left after uninstall"
echo "staged install: OK"
