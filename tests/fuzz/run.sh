#!/bin/sh
# usage: run.sh BUILD_DIR SECONDS [TARGET...] -- runs each fuzz target for
# SECONDS on its own corpus (BUILD_DIR/corpus/TARGET), seeded from the
# project's own files; every target runs, and any report gives a non-zero
# status at the end.
set -e
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "$1" && pwd)
seconds=$2
shift 2
targets=${*:-png sound font hiscore script}
failed=""

seeds_for() {
    case $1 in
        png) echo "$root/assets/graphx $root/docs/screenshots" ;;
        sound) echo "$here/corpus/sound $here/seeds/sound $root/tests/services/audio/fixtures" ;;
        font) echo "$root/assets/fonts" ;;
        hiscore) echo "$here/seeds/hiscore" ;;
        script) echo "$here/seeds/script" ;;
    esac
}

# The font is kept whole; a sound may carry junk far beyond its pages.
max_len_for() {
    case $1 in
        font) echo 131072 ;;
        sound) echo 1048576 ;;
        *) echo 65536 ;;
    esac
}

# A sound must never ask for more memory than its bytes can fill, nor take
# long: a malloc of over 512 MiB is a report, an input over 10 s a hang.  An
# input over 2 s is kept in slow/TARGET to look at, not failed: on a busy
# machine the game's own effects can take that long under the sanitizers.
limits_for() {
    case $1 in
        sound) echo "-malloc_limit_mb=512 -timeout=10 -report_slow_units=2" ;;
        *) echo "-timeout=30" ;;
    esac
}

# libvorbisfile keeps 8 bytes when an open fails on a read error: its own
# leak, not the game's, so it is the one leak the checker is told to pass.
export LSAN_OPTIONS="suppressions=$here/leaks.supp:print_suppressions=0"
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"

for t in $targets; do
    corpus="$build/corpus/$t"
    rm -rf "$build/crashes/$t" "$build/slow/$t"  # reports of an earlier run are not this run's
    mkdir -p "$corpus" "$build/crashes/$t" "$build/slow/$t"
    echo "== fuzz_$t for ${seconds}s"
    # shellcheck disable=SC2046
    "$build/tests/fuzz/fuzz_$t" -max_total_time="$seconds" -max_len="$(max_len_for "$t")" $(limits_for "$t") \
        -rss_limit_mb=2560 -print_final_stats=1 -artifact_prefix="$build/crashes/$t/" \
        "$corpus" $(seeds_for "$t") 2>&1 | grep -v '^#[0-9]*.*\(NEW\|REDUCE\|pulse\)' || true
    for slow in "$build/crashes/$t"/slow-unit-*; do
        [ -e "$slow" ] && mv "$slow" "$build/slow/$t/" && echo "fuzz_$t: slow input kept in $build/slow/$t"
    done
    [ -z "$(ls -A "$build/crashes/$t")" ] || { echo "fuzz_$t: report in $build/crashes/$t"; failed="$failed $t"; }
done
[ -z "$failed" ] || { echo "fuzz: reports from$failed"; exit 1; }
