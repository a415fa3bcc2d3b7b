#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The application with a roster of N characters (1,000 unless given; 10 attacks
# each and a picture for one in ten), offscreen: the start-up to an idle title
# with the roster loaded (wall and CPU time from the launch until the process's
# CPU time stops rising), then the CPU time used by the polling timers over ten
# seconds with no window in use, and the peak memory of the process by then.
#   bench/idle_cpu.sh [BUILD_DIR] [N]
set -euo pipefail
build=${1:-build}
count=${2:-1000}
here=$(dirname "$(realpath "$0")")
app=$(realpath "$build/src/partyclash")
work=$(mktemp -d)
trap 'kill "${pid:-0}" 2>/dev/null || true; rm -rf "$work"' EXIT

cp "$app" "$work/"
data="$work/data/CharaList"
mkdir -p "$data/img"
attacks=$(for k in $(seq 0 9); do
    printf '技%d,xxxx,0,0,%d,1,0,1,1,95,0,85\n0,0,0,0,0,0,0,0,0,0,0,0,0,0,0\n0,0,0,0,0,0,0\n' "$k" "$((10 * k))"
done)
for i in $(seq 1 "$count"); do
    {
        printf 'キャラクター%d\nxxxx\nchara%d.txt,chara%d.png\n%d,50,5,500\n30,30,30,30,30,30,30\n' "$i" "$i" "$i" "$((100 + i % 500))"
        printf '100,100,100,100,100,100,100,100\n100,100,100,100,100,100,100,100\n100,100,100,100,100,100\n----++\n'
        printf '%s\n----++\n' "$attacks"
    } > "$data/chara$i.txt"
    if (( i % 10 == 0 )); then cp "$here/../examples/CharaList/img/arus.png" "$data/img/chara$i.png"; fi
    echo "chara$i.txt"
done > "$data/preset.txt"

# The new files reach the disk before the launch, so that writing them back does not overlap the start-up.
sync
ticks=$(getconf CLK_TCK)
cpu() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
now() { date +%s%N; }
start=$(now)
QT_QPA_PLATFORM=offscreen "$work/partyclash" 2>/dev/null &
pid=$!
# Started once the CPU time has not risen by more than one clock tick for 0.5 s
# (the idle timers use about one tick in that time); the start-up ends at its last rise.
last=0 settled=0 busy=$start
while (( settled == 0 )); do
    sleep 0.02
    used=$(cpu) t=$(now)
    if (( used > last + 1 )); then last=$used busy=$t
    elif (( t - busy > 500000000 )); then settled=1; fi
done
awk -v c="$last" -v hz="$ticks" -v w="$((busy - start))" \
    'BEGIN { printf "start-up to an idle title: %.0f ms wall, %.0f ms CPU\n", w / 1e6, 1000 * c / hz }'
sleep 2
before=$(cpu)
sleep 10
after=$(cpu)
awk -v used="$((after - before))" -v hz="$ticks" -v n="$count" \
    'BEGIN { printf "%d characters: idle CPU over 10 s: %.3f s (%.2f%% of one core)\n", n, used / hz, 100 * used / hz / 10 }'
awk '/VmHWM/ { printf "peak memory: %.0f MiB\n", $2 / 1024 }' "/proc/$pid/status"
