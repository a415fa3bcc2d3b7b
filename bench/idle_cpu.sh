#!/usr/bin/env bash
# Idle cost of the application: CPU time used by the polling timers over ten
# seconds with a roster of 1,000 characters and no window in use, offscreen.
#   bench/idle_cpu.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
app=$(realpath "$build/src/partyclash")
work=$(mktemp -d)
trap 'kill "${pid:-0}" 2>/dev/null || true; rm -rf "$work"' EXIT

cp "$app" "$work/"
data="$work/data/CharaList"
mkdir -p "$data/img"
for i in $(seq 1 1000); do
    printf 'キャラクター%d\nxxxx\nchara%d.txt,chara%d.png\n%d,50,5,500\n30,30,30,30,30,30,30\n' "$i" "$i" "$i" "$((100 + i))" > "$data/chara$i.txt"
    printf '100,100,100,100,100,100,100,100\n100,100,100,100,100,100,100,100\n100,100,100,100,100,100\n----++\n----++\n' >> "$data/chara$i.txt"
    echo "chara$i.txt" >> "$data/preset.txt"
done

QT_QPA_PLATFORM=offscreen "$work/partyclash" 2>/dev/null &
pid=$!
sleep 2 # start-up and the roster load are not idle time
ticks=$(getconf CLK_TCK)
cpu() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
before=$(cpu)
sleep 10
after=$(cpu)
awk -v used="$((after - before))" -v hz="$ticks" \
    'BEGIN { printf "idle CPU over 10 s: %.3f s (%.2f%% of one core)\n", used / hz, 100 * used / hz / 10 }'
