#!/bin/sh
# usage: game.sh RUNNER -- plays the whole game on a runner built with clang's
# ASan and UBSan (make fuzz builds one beside the fuzz targets): each script
# of game/ in a scratch folder holding the game's sounds.  A run that stops
# with any status but 0, or says anything at all on stderr (a sanitizer
# report, a runner message), fails.
set -e
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
runner=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
work=$(mktemp -d "${TMPDIR:-/tmp}/bodger-game-XXXXXX")
trap 'rm -rf "$work"' EXIT
failed=""

export LSAN_OPTIONS="suppressions=$here/leaks.supp:print_suppressions=0"
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"

for script in "$here"/game/*.txt; do
    name=$(basename "$script" .txt)
    dir="$work/$name"
    mkdir -p "$dir/data"
    ln -s "$root"/data/*.ogg "$dir/data/"
    echo "== game $name"
    status=0
    (cd "$dir" && "$runner" "$script") >"$work/$name.log" 2>&1 || status=$?
    if [ "$status" -ne 0 ] || [ -s "$work/$name.log" ]; then
        cat "$work/$name.log"
        echo "game $name: status $status"
        failed="$failed $name"
    fi
done

# The runs went where their scripts say: a TNT blast, game over, the title.
grep -qs '^[0-9]* tnt$' "$work/tnt/sounds.txt" || failed="$failed tnt(no blast)"
grep -qs '"game_state": 5,' "$work/tnt/over.json" || failed="$failed tnt(no game over)"
grep -qs '"game_state": 4,' "$work/splash/title.json" || failed="$failed splash(no title)"
[ -z "$failed" ] || { echo "game: failed$failed"; exit 1; }
echo "game: every run clean"
