#!/bin/sh
# The installed game started from another folder, on a display of its own
# (run under xvfb-run) with a scratch HOME: it plays its sounds and keeps the
# best score in the per-user folder; started from a folder with its own
# data/, it plays there.
# usage: launch.sh BUILD_DIR SOURCE_DIR
set -eu
. "$(dirname "$0")/common.sh"
build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root=$(stage_install "$build" "$scratch/stage")
launcher=$root/games/bodger2010
mkdir -p "$scratch/elsewhere"
unset XDG_DATA_HOME

# First run: the per-user folder is made, with links to the installed sounds.
export HOME=$scratch/home
play_once "$launcher" "$scratch/elsewhere" "$scratch/audio1.raw"
non_silent "$scratch/audio1.raw" || fail "no sound was played"
mine=$HOME/.local/share/bodger2010/data
[ "$(od -An -tx1 "$mine/hiscore.dat" | tr -d ' ')" = 00000000 ] || fail "first best score"
[ "$(readlink "$mine/thebodger.ogg")" = "$root/share/games/bodger2010/data/thebodger.ogg" ] ||
    fail "the sounds are not linked"
[ -z "$(ls -A "$scratch/elsewhere")" ] || fail "the game wrote in the folder it was started from"

# Second run: the best score there is read and kept.
printf '\071\060\000\000' >"$mine/hiscore.dat"
play_once "$launcher" "$scratch/elsewhere" "$scratch/audio2.raw"
[ "$(od -An -tx1 "$mine/hiscore.dat" | tr -d ' ')" = 39300000 ] || fail "the best score was lost"

# XDG_DATA_HOME chooses where the per-user folder is.
XDG_DATA_HOME=$scratch/xdg play_once "$launcher" "$scratch/elsewhere" "$scratch/audio3.raw"
[ -f "$scratch/xdg/bodger2010/data/hiscore.dat" ] || fail "XDG_DATA_HOME not followed"

# A folder with the game's own sounds in data/ (a source checkout) is used as it is.
export HOME=$scratch/home2
mkdir -p "$scratch/checkout/data"
cp "$source"/data/*.ogg "$scratch/checkout/data/"
play_once "$launcher" "$scratch/checkout" "$scratch/audio4.raw"
[ -f "$scratch/checkout/data/hiscore.dat" ] || fail "the checkout's data/ was not used"
[ ! -e "$HOME/.local/share/bodger2010" ] || fail "a per-user folder was made for a checkout"
echo "launch: OK"
