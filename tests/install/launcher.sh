#!/bin/sh
# The launcher on its own, with a stand-in for the game that says where it was
# started: its options and statuses, the per-user folder it refuses (a link,
# a file), a sound it cannot link, an installation reached through links or
# moved away, and the dialog that shows a failure on a desktop.
# usage: launcher.sh BUILD_DIR
set -eu
. "$(dirname "$0")/common.sh"
build=$(cd "$1" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root=$(stage_install "$build" "$scratch/stage")
printf '#!/bin/sh\necho "game in $(pwd)"\n' >"$root/libexec/bodger2010/bodger2010"
launcher=$root/games/bodger2010
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
cd "$scratch"  # not a folder with the game's sounds

# Only the tools the launcher uses, so that no dialog program of this machine
# answers; the fake ones go in $fake.
tools=$scratch/tools
fake=$scratch/fake
mkdir -p "$tools" "$fake"
for tool in sh cat readlink dirname mkdir ln sed; do
    ln -s "$(command -v "$tool")" "$tools/$tool"
done
unset XDG_DATA_HOME DISPLAY WAYLAND_DISPLAY

# run ARGS...: the launcher with HOME and the PATH above; sets status, out
# (standard output) and err (standard error).
run() {
    status=0
    PATH=$fake:$tools "$@" >"$scratch/out" 2>"$scratch/err" || status=$?
    out=$(cat "$scratch/out")
    err=$(cat "$scratch/err")
}

# expect STATUS LINES: the last run ended with STATUS and wrote LINES lines
# to standard error.
expect() {
    [ "$status" -eq "$1" ] || fail "status $status, not $1 (stderr: $err)"
    lines=$(printf '%s' "$err" | grep -c '' || true)
    [ "$lines" -eq "$2" ] || fail "$lines lines on stderr, not $2: $err"
}

# Options: --help and --version answer on stdout; anything else is refused.
export HOME=$scratch/home
mkdir -p "$HOME"
run "$launcher" --help
expect 0 0
for says in "usage: bodger2010" "data/hiscore.dat" XDG_DATA_HOME SDL_GAMECONTROLLERCONFIG; do
    echo "$out" | grep -q "$says" || fail "--help does not say $says"
done
run "$launcher" --version
expect 0 0
[ "$out" = "bodger2010 $version" ] || fail "--version says $out"
for args in x -h --verbose "--help --version" "--version x"; do
    # shellcheck disable=SC2086 # a case may be several words
    run "$launcher" $args
    [ "$status" -eq 2 ] && [ -z "$out" ] || fail "'$args x': status $status, stdout $out"
    echo "$err" | grep -q "usage: bodger2010" || fail "'$args x': no usage on stderr"
done
[ ! -e "$HOME/.local" ] || fail "an option made the per-user folder"

# A normal start: the game runs in the per-user folder, with its sounds linked.
mine=$HOME/.local/share/bodger2010
run "$launcher"
expect 0 0
[ "$out" = "game in $mine" ] || fail "first start: $out"
[ "$(readlink "$mine/data/tnt.ogg")" = "$root/share/games/bodger2010/data/tnt.ogg" ] ||
    fail "tnt.ogg is not linked"

# The per-user folder or its data/ as a link: refused in one line, nothing is
# written where the link leads.
mkdir -p "$scratch/elsewhere"
for at in "$mine/data" "$mine"; do
    mv "$mine" "$scratch/kept"
    [ "$at" = "$mine" ] || mkdir -p "$mine"
    ln -s "$scratch/elsewhere" "$at"
    run "$launcher"
    expect 1 1
    echo "$err" | grep -q "^bodger2010: $at is a link, not a folder" || fail "link at $at: $err"
    [ -z "$out" ] || fail "the game started through the link at $at"
    [ -z "$(ls -A "$scratch/elsewhere")" ] || fail "the launcher wrote through the link at $at"
    rm -rf "$mine"
    mv "$scratch/kept" "$mine"
done
# ... or as a file.
mv "$mine" "$scratch/kept"
echo "not a folder" >"$mine"
run "$launcher"
expect 1 1
echo "$err" | grep -q "^bodger2010: $mine is not a folder" || fail "file at $mine: $err"
rm "$mine"
mv "$scratch/kept" "$mine"

# A folder where a sound's link belongs: named in one line, left alone, and
# the game starts without that sound.
rm "$mine/data/tnt.ogg"
mkdir "$mine/data/tnt.ogg"
touch "$mine/data/tnt.ogg/mine"
run "$launcher"
expect 0 1
echo "$err" | grep -q "^bodger2010: $mine/data/tnt.ogg is a folder" || fail "sound folder: $err"
[ "$out" = "game in $mine" ] || fail "the game did not start beside the sound folder"
[ "$(ls -A "$mine/data/tnt.ogg")" = mine ] || fail "the folder in the sound's place was changed"
rm -r "$mine/data/tnt.ogg"

# The installation reached through links: a link to the games folder from
# elsewhere, a link to the launcher, and a games folder that is itself a
# link to a folder outside the tree.
ln -s "$root/games" "$scratch/games-link"
ln -s "$launcher" "$scratch/bodger-link"
for through in "$scratch/games-link/bodger2010" "$scratch/bodger-link"; do
    run "$through"
    expect 0 0
    [ "$out" = "game in $mine" ] || fail "through $through: $out"
done
mv "$root/games" "$scratch/outside"
ln -s "$scratch/outside" "$root/games"
run "$launcher"
expect 0 0
[ "$out" = "game in $mine" ] || fail "through a linked games folder: $out"
rm "$root/games"
mv "$scratch/outside" "$root/games"

# An installation moved away from its launcher: one sentence with the path
# where the game was looked for.
mkdir -p "$scratch/alone"
cp "$launcher" "$scratch/alone/bodger2010"
run "$scratch/alone/bodger2010"
expect 1 1
echo "$err" | grep -q "^bodger2010: the game is not at $scratch/libexec/bodger2010/bodger2010" ||
    fail "moved installation: $err"

# ... or its sounds moved away.
mv "$root/share/games/bodger2010/data" "$scratch/sounds"
run "$launcher"
expect 1 1
echo "$err" | grep -q "^bodger2010: the game's sounds are missing from $root/share/games/bodger2010/data" ||
    fail "moved sounds: $err"
mv "$scratch/sounds" "$root/share/games/bodger2010/data"

# A HOME that cannot hold the per-user folder, on a desktop: the same
# sentence on stderr and in the first dialog program there is that shows it;
# notify-send when it is the only one; none without a display.
log=$scratch/dialog.log
for program in zenity kdialog notify-send; do
    printf '#!/bin/sh\nfor a; do echo "%s: $a"; done >>%s\n' "$program" "$log" >"$fake/$program"
    chmod +x "$fake/$program"
done
echo "a file" >"$scratch/home-file"
HOME=$scratch/home-file
run "$launcher"
expect 1 1
[ ! -e "$log" ] || fail "a dialog without a display"
export DISPLAY=:99
run "$launcher"
expect 1 1
sentence=${err#bodger2010: }
case $sentence in
    "cannot make the folder $scratch/home-file/.local/share/bodger2010 for your best score"*) ;;
    *) fail "HOME a file: $err" ;;
esac
grep -qx "zenity: --error" "$log" || fail "zenity was not asked: $(cat "$log")"
grep -qxF "zenity: --text=$sentence" "$log" || fail "zenity got another text: $(cat "$log")"
! grep -q '^kdialog\|^notify-send' "$log" || fail "more than one dialog: $(cat "$log")"
# A zenity that cannot show it (too old, no display after all) hands over.
rm "$log"
printf '#!/bin/sh\nexit 255\n' >"$fake/zenity"
run "$launcher"
expect 1 1
grep -qxF "kdialog: $sentence" "$log" || fail "kdialog was not asked: $(cat "$log")"
rm "$log" "$fake/zenity" "$fake/kdialog"
unset DISPLAY
export WAYLAND_DISPLAY=wayland-0
run "$launcher"
expect 1 1
grep -qxF "notify-send: $sentence" "$log" || fail "notify-send was not asked: $(cat "$log")"
echo "launcher: OK"
