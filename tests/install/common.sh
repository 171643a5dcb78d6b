# common.sh -- helpers of the install checks (sourced, POSIX sh).
APP_ID=io.github.bodger2010.Bodger2010

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# stage_install BUILD DIR: installs the build under DIR (DESTDIR) and prints
# the root of the installed tree (DIR followed by the configured prefix).
stage_install() {
    prefix=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$1/CMakeCache.txt")
    DESTDIR=$2 cmake --install "$1" >/dev/null || fail "cmake --install"
    echo "$2$prefix"
}

# files_under ROOT: every file and link under ROOT, relative to it, sorted.
files_under() {
    (cd "$1" && find . -type f -o -type l) | sed 's|^\./||' | sort
}

# tree_under ROOT: every folder, file and link under ROOT, with its kind.
tree_under() {
    (cd "$1" && find . -printf '%y %p\n') | sort
}

# non_silent FILE: the file holds at least one sample that is not zero.
non_silent() {
    [ -s "$1" ] && od -An -tx1 -v "$1" | grep -q '[1-9a-f]'
}

# play_once LAUNCHER WORKDIR AUDIO: starts the launcher in WORKDIR on the
# current display with SDL's disk audio driver writing to AUDIO, waits until
# the sound has started, asks the game to close (SIGTERM, as a desktop
# session does) and fails unless it ended with status 0.
play_once() {
    (
        cd "$2" || exit 1
        SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$3 exec "$1"
    ) 2>"$3.log" &
    pid=$!
    waited=0
    until [ -s "$3" ]; do
        kill -0 "$pid" 2>/dev/null || break
        [ "$waited" -lt 600 ] || break
        sleep 0.1
        waited=$((waited + 1))
    done
    sleep 1
    kill -TERM "$pid" 2>/dev/null || true
    status=0
    wait "$pid" || status=$?
    [ "$status" -eq 0 ] || { cat "$3.log" >&2; fail "the game ended with status $status"; }
}
