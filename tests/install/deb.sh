#!/bin/sh
# make deb: a package of the same files as the install, depending only on
# runtime libraries, whose unpacked game runs (under xvfb-run).
# usage: deb.sh BUILD_DIR
set -eu
. "$(dirname "$0")/common.sh"
build=$(cd "$1" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
(cd "$build" && cpack -G DEB -B "$scratch/package" >/dev/null) || fail "cpack"
deb=$(ls "$scratch"/package/bodger2010_*.deb)

dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ { sub(/^\.\/usr\//, "", $6); print $6 }' |
    sort >"$scratch/packaged"
sort "$build/dist/installed-files.txt" >"$scratch/listed"
diff -u "$scratch/listed" "$scratch/packaged" || fail "the package holds other files"

depends=$(dpkg-deb -f "$deb" Depends)
echo "$depends" | grep -q 'libsdl2-2.0-0' || fail "no SDL in Depends: $depends"
echo "$depends" | grep -q -- '-dev' && fail "a development package in Depends: $depends"

dpkg-deb -x "$deb" "$scratch/root"
export HOME=$scratch/home
unset XDG_DATA_HOME
mkdir -p "$scratch/elsewhere"
play_once "$scratch/root/usr/bin/bodger2010" "$scratch/elsewhere" "$scratch/audio.raw"
non_silent "$scratch/audio.raw" || fail "no sound was played"
[ -f "$HOME/.local/share/bodger2010/data/hiscore.dat" ] || fail "no best-score file"
echo "deb: OK"
