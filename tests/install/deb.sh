#!/bin/sh
# make deb: a package of the same files as the install, depending only on
# runtime libraries, that lintian passes without an error or a warning, whose
# unpacked game runs (under xvfb-run).
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

# Debian's own checker: nothing at its default level (errors and warnings).
lintian --fail-on error,warning "$deb" >"$scratch/lintian" 2>&1 ||
    { cat "$scratch/lintian" >&2; fail "lintian"; }
grep -E '^[EW]: ' "$scratch/lintian" >&2 && fail "lintian"
# The binary as Debian hardens it: read-only relocations bound at start-up,
# the stack protector and checked library calls.
dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/libexec/bodger2010/bodger2010 >"$scratch/game"
readelf -d "$scratch/game" | grep -q 'BIND_NOW' || fail "the game is not linked with -z now"
readelf -lW "$scratch/game" | grep -q 'GNU_RELRO' || fail "the game is not linked with relro"
readelf --dyn-syms -W "$scratch/game" >"$scratch/symbols"
grep -q '__stack_chk_fail' "$scratch/symbols" || fail "the game has no stack protector"
grep -v '__stack_chk' "$scratch/symbols" | grep -q '__[a-z]*_chk' || fail "the game is not fortified"

depends=$(dpkg-deb -f "$deb" Depends)
echo "$depends" | grep -q 'libsdl2-2.0-0' || fail "no SDL in Depends: $depends"
echo "$depends" | grep -q -- '-dev' && fail "a development package in Depends: $depends"

dpkg-deb -x "$deb" "$scratch/root"
export HOME=$scratch/home
unset XDG_DATA_HOME
mkdir -p "$scratch/elsewhere"
play_once "$scratch/root/usr/games/bodger2010" "$scratch/elsewhere" "$scratch/audio.raw"
non_silent "$scratch/audio.raw" || fail "no sound was played"
[ -f "$HOME/.local/share/bodger2010/data/hiscore.dat" ] || fail "no best-score file"
echo "deb: OK"
