#!/bin/sh
# usage: soak.sh SIM [FRAMES] [EVERY] -- a long bot game on the headless
# runner (`bot restart`, so hopeless realms end and new games begin).  Every
# EVERY frames it prints the frames per second, the realm now and the realms
# begun so far, the steps walked lately and the runner's resident memory;
# it fails when the run fails, when memory grows past a fifth between the
# second report and the end, or when Bodger no longer walks.
set -e
sim=$(realpath "$1")
frames=${2:-1000000}
every=${3:-50000}
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/data"
ln -s "$root"/data/*.ogg "$work/data/"

{
    echo "bot restart"
    echo "clock 4242"
    echo "sounds sounds.log"
    echo "stop $frames"
    f=$every
    while [ "$f" -le "$frames" ]; do
        echo "at $f dump d$f.json"
        f=$((f + every))
    done
} > "$work/soak.txt"

field() { # the first number after "NAME": in a dump
    sed -n "s/.*\"$1\": \\(-\\{0,1\\}[0-9]*\\).*/\\1/p" "$2" | head -n 1
}
rss_kb() {
    sed -n 's/^VmRSS:[^0-9]*\([0-9]*\).*/\1/p' "/proc/$1/status" 2>/dev/null || true
}
now() { date +%s.%N; }
per_second() { # COUNT SINCE NOW
    awk -v n="$1" -v a="$2" -v b="$3" 'BEGIN { printf "%d", (b > a) ? n / (b - a) : 0 }'
}

cd "$work"
"$sim" soak.txt &
pid=$!
start=$(now)
last_time=$start
last_frame=0
last_steps=0
first_rss=""
rss=""
steps=0
recent=0
live_rss=0
next=$every
printf '%9s %8s %6s %7s %8s %9s\n' frame fps realm begun steps rss_kB
while [ "$next" -le "$frames" ]; do
    # A dump is whole once the next one is due or the run has ended.
    if [ -f "d$next.json" ] && grep -q '"mouse"' "d$next.json"; then
        t=$(now)
        rss=$(rss_kb "$pid")
        [ -n "$rss" ] || rss=$live_rss  # the run has just ended: its last reading
        [ -n "$first_rss" ] || [ "$next" -lt $((2 * every)) ] || first_rss=$rss
        fps=$(per_second $((next - last_frame)) "$last_time" "$t")
        realm=$(field level "d$next.json")
        begun=$(grep -c ' oh_no$' sounds.log || true)
        steps=$(grep -c ' footstep$' sounds.log || true)
        recent=$((steps - last_steps))
        printf '%9d %8d %6d %7d %8d %9d\n' "$next" "$fps" "$realm" "$begun" "$recent" "$rss"
        last_time=$t
        last_frame=$next
        last_steps=$steps
        next=$((next + every))
        continue
    fi
    kill -0 "$pid" 2>/dev/null || break
    r=$(rss_kb "$pid")
    [ -z "$r" ] || live_rss=$r
    sleep 1
done
status=0
wait "$pid" || status=$?
total=$(per_second "$last_frame" "$start" "$(now)")
echo "soak: $last_frame of $frames frames, $total frames per second overall, exit status $status"
[ "$status" -eq 0 ] && [ "$last_frame" -eq "$frames" ] || exit 1
if [ -n "$first_rss" ] && [ "$rss" -gt $((first_rss + first_rss / 5)) ]; then
    echo "soak: resident memory grew from $first_rss kB to $rss kB"
    exit 1
fi
[ "$recent" -gt 0 ] || { echo "soak: Bodger took no step in the last $every frames"; exit 1; }
echo "soak: memory flat ($first_rss kB after $((2 * every)) frames, $rss kB at the end), bot still playing"
