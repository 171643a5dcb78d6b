#!/bin/sh
# Permissions that bind: the runner's game as an unprivileged user, with a
# best-score file it may not read and then a data/ folder it may not write.
# Neither loses the old score; each save failure is one line; status 0.
# Run as root (it drops to nobody); skipped (77) otherwise, where the same
# cases are run by the app tests themselves.
# usage: permissions.sh RUNNER SOURCE_DIR
set -eu
. "$(dirname "$0")/common.sh"
[ "$(id -u)" -eq 0 ] || exit 77
runner=$(readlink -f "$1")
source=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
as_nobody() {
    (cd "$work/game" && setpriv --reuid=65534 --regid=65534 --clear-groups "$runner" ../quit.txt)
}
setpriv --reuid=65534 --regid=65534 --clear-groups true 2>/dev/null || exit 77
mkdir -p "$work/game/data"
ln -s "$source"/data/*.ogg "$work/game/data/"
printf 'at 0 key press 27\nat 3 key press 27\n' >"$work/quit.txt"
score=$work/game/data/hiscore.dat
chown -R 65534:65534 "$work/game"

# A best-score file nobody may read: played with 0, never overwritten.
printf '\071\060\000\000' >"$score"
chown 65534:65534 "$score"
chmod 000 "$score"
status=0
as_nobody 2>"$work/err1" || status=$?
[ "$status" -eq 0 ] || fail "unreadable file: status $status"
[ "$(od -An -tx1 "$score" | tr -d ' ')" = 39300000 ] || fail "the unreadable score was overwritten"
grep -q "^bodger2010: best score not saved in $(cd "$work/game" && pwd -P)/data/hiscore.dat: " "$work/err1" ||
    fail "unreadable file: $(cat "$work/err1")"
[ "$(wc -l <"$work/err1")" -eq 1 ] || fail "unreadable file: $(cat "$work/err1")"

# A data/ folder nobody may write: the old score stays.
chmod 644 "$score"
chmod 555 "$work/game/data"
status=0
as_nobody 2>"$work/err2" || status=$?
[ "$status" -eq 0 ] || fail "read-only folder: status $status"
[ "$(od -An -tx1 "$score" | tr -d ' ')" = 39300000 ] || fail "read-only folder: the score changed"
[ ! -e "$work/game/data/hiscore.tmp" ] || fail "read-only folder: a scratch file appeared"
grep -q 'data/hiscore.tmp: Permission denied$' "$work/err2" ||
    fail "read-only folder: $(cat "$work/err2")"
echo "permissions: OK"
