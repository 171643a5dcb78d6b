#!/bin/sh
# A staged install (DESTDIR): every file in its standard place, a valid
# desktop entry, metainfo and manual page, icons of the sizes their folders
# say, and make uninstall leaves the tree as it found it: the folders the
# install made go, those that were there before stay, with what they hold.
# usage: staged_install.sh BUILD_DIR
set -eu
. "$(dirname "$0")/common.sh"
build=$(cd "$1" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Some of the install's folders are there already: one empty, one holding a
# file of another program.
prefix=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")
mkdir -p "$scratch/stage$prefix/share/man/man6" "$scratch/stage$prefix/share/icons/hicolor/48x48/apps"
echo other >"$scratch/stage$prefix/share/icons/hicolor/48x48/apps/other.png"
tree_under "$scratch/stage" >"$scratch/before"

root=$(stage_install "$build" "$scratch/stage")
files_under "$root" | grep -v other.png >"$scratch/found"
sort "$build/dist/installed-files.txt" >"$scratch/listed"
diff -u "$scratch/listed" "$scratch/found" || fail "installed files differ from the uninstall list"

[ -x "$root/games/bodger2010" ] || fail "no launcher in games/"
[ -x "$root/libexec/bodger2010/bodger2010" ] || fail "no game binary"
[ "$(ls "$root/share/games/bodger2010/data"/*.ogg | wc -l)" -eq 15 ] || fail "not 15 sounds"
entry=$root/share/applications/$APP_ID.desktop
desktop-file-validate "$entry" || fail "desktop entry"
grep -qx 'Categories=Game;ArcadeGame;' "$entry" || fail "desktop entry categories"
grep -qx 'StartupWMClass=bodger2010' "$entry" || fail "desktop entry: no StartupWMClass"
grep -qx "Exec=$prefix/games/bodger2010" "$entry" || fail "desktop entry: $(grep Exec "$entry")"
appstreamcli validate --no-net "$root/share/metainfo/$APP_ID.metainfo.xml" || fail "metainfo"
for size in 16 22 24 32 48 64 128 256; do
    icon=$root/share/icons/hicolor/${size}x$size/apps/$APP_ID.png
    file "$icon" | grep -q "PNG image data, $size x $size," || fail "icon $icon"
done
gzip -t "$root/share/doc/bodger2010/changelog.gz" || fail "changelog"
page=$root/share/man/man6/bodger2010.6.gz
gzip -t "$page" || fail "the manual page is not gzip-compressed"
if command -v man >/dev/null; then
    warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "manual page: $warnings"
    text=$(MANWIDTH=200 man -l "$page" 2>/dev/null | tr -s " ")
    for says in 'Alt+Enter' 'F11' 'Escape, Space, a left click or A skips it' 'B (east) or Start' \
        SDL_GAMECONTROLLERCONFIG XDG_DATA_HOME FILES 'SEE ALSO' '--version'; do
        echo "$text" | grep -q -- "$says" || fail "the manual page does not say $says"
    done
fi
# One version, the project's: the launcher, the metainfo and the page say it.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ "$("$root/games/bodger2010" --version)" = "bodger2010 $version" ] || fail "launcher version"
grep -q "<release version=\"$version\"" "$root/share/metainfo/$APP_ID.metainfo.xml" ||
    fail "metainfo version"

DESTDIR=$scratch/stage cmake --build "$build" --target uninstall >/dev/null
tree_under "$scratch/stage" >"$scratch/after"
diff -u "$scratch/before" "$scratch/after" || fail "uninstall did not leave the tree as it was"
echo "staged install: OK"
