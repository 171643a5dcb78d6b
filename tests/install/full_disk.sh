#!/bin/sh
# A full disk at the save: the runner's game, in a folder on a small private
# file system filled to the last block, keeps the old best score, says why in
# one line and ends with status 0.  Skipped (77) where no private mount can be
# made.
# usage: full_disk.sh RUNNER SOURCE_DIR
set -eu
. "$(dirname "$0")/common.sh"
if [ "${IN_PRIVATE_MOUNT:-}" != 1 ]; then
    IN_PRIVATE_MOUNT=1 exec unshare -m sh "$0" "$@" 2>/dev/null || exit 77
fi
runner=$(readlink -f "$1")
source=$(cd "$2" && pwd)
disk=$(mktemp -d)
log=$(mktemp)
trap 'cd /; umount "$disk" 2>/dev/null; rm -rf "$disk" "$log"' EXIT
mount -t tmpfs -o size=64k tmpfs "$disk" 2>/dev/null || exit 77
cd "$disk"
mkdir data
ln -s "$source"/data/*.ogg data/
printf '\071\060\000\000' >data/hiscore.dat
printf 'at 0 key press 27\nat 3 key press 27\n' >quit.txt
dd if=/dev/zero of=filler bs=4096 2>/dev/null || true
status=0
"$runner" quit.txt 2>"$log" || status=$?
[ "$status" -eq 0 ] || fail "status $status"
[ "$(od -An -tx1 data/hiscore.dat | tr -d ' ')" = 39300000 ] || fail "the old best score was lost"
[ ! -e data/hiscore.tmp ] || fail "a scratch file was left"
grep -q "^bodger2010: best score not saved in $(pwd -P)/data/hiscore.dat: .*No space left on device\$" "$log" ||
    fail "message: $(cat "$log")"
[ "$(wc -l <"$log")" -eq 1 ] || fail "more than one line: $(cat "$log")"
echo "full disk: OK"
