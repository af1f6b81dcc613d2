#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds and runs the benchmarks: face frame cost, and the idle clock against
# xclock side by side (CPU, wake-ups, memory, start-up, how late each second
# shows), the idle clock with and without a compositor, the clock's memory
# around its sounds and through a day; ends with the goals in one table.
#   scripts/bench.sh [SECONDS [ROUNDS [SIZE...]]]
#   (each idle measurement lasts SECONDS, default 60; ROUNDS default 3; sizes 120 480 1080)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
command -v xclock >/dev/null && command -v swisswatch >/dev/null && command -v buici-clock >/dev/null \
  && command -v bc >/dev/null && pkg-config --exists xcb-damage || {
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends x11-apps swisswatch buici-clock bc libxcb-damage0-dev; }
scripts/build.sh >/dev/null
b=${DIALVANE_BUILD_DIR:-build}
# A build configured before xcb-damage was installed looks for it again.
[ -x "$b/bench/bench_shown" ] || { cmake -S . -B "$b" >/dev/null && scripts/build.sh >/dev/null; }
echo "== one face frame"
"$b/bench/bench_face"
echo "== the clock's memory around its sounds, and a WAV's time to its first sample"
SDL_AUDIODRIVER=dummy "$b/bench/bench_sound" 10 20
secs=${1:-60} rounds=${2:-3}
load_before=$(uptime | sed 's/.*load average: //')
echo "== the clock through a day at 120 px: signals, three alarms rung, snoozed and stopped, the settings dialog ($rounds rounds)"
# Each column's median over the rounds.
days=$(for ((r = 0; r < rounds; r++)); do
  { SDL_AUDIODRIVER=dummy tests/x11/with-x.sh "$b/bench/bench_day" 10 || true; } | tee /dev/stderr | awk '/^DAY / {print $2, $3, $4, $5, $6}'
done)
day=$(for c in 1 2 3 4 5; do
  awk -v c=$c '{print $c}' <<<"$days" | sort -g | awk '{v[NR] = $1} END {print NR == 0 ? "nan" : (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'
done | paste -sd ' ')
echo "== idle, against xclock -analog -update 1, swisswatch -tick 1 and buici-clock under the same X server"
shift $(( $# > 2 ? 2 : $# )) || true
[ $# -gt 0 ] || set -- 120 480 1080
# A screen tall enough for the largest clock.
summary=$(mktemp)
XVFB_SCREEN=1920x1200x24 BENCH_SUMMARY=$summary tests/x11/with-x.sh --no-wm --no-tray \
  bench/side_by_side.sh "$b/dialvane" "$b/bench/bench_shown" "$rounds" "$secs" "$@"
load_after=$(uptime | sed 's/.*load average: //')
echo "== idle, with and without a compositor (picom), plain and transparent board"
tests/x11/with-x.sh --no-wm --no-tray --compositor bench/compositor.sh "$b/dialvane" "$rounds" "$secs"

echo "== goals (side by side: medians of $rounds rounds of $secs s; load average $load_before before, $load_after after)"
printf '%-6s %14s %11s %11s %14s %10s %22s\n' size "CPU+X/xclock" swisswatch buici-clock "wake-ups/s" "RSS MB" "start-up ms (/xclock)"
printf '%-6s %14s %11s %11s %14s %10s %22s\n' "" "goal <= 0.50" "" "" "goal 1.00" "" "goal <= 1.00"
for size in "$@"; do
  v() { awk -v s="$size" -v k="$1" -v c="$2" '$1 == s && $2 == k {print $c; f = 1} END {if (!f) print "nan"}' "$summary"; }
  printf '%-6s %13.2fx %10.2fx %10.2fx %14.2f %10.1f %15.0f (%.2fx)\n' "$size" "$(v dialvane 3)" \
    "$(v swisswatch 3)" "$(v buici 3)" "$(v dialvane 5)" "$(v dialvane 6)" "$(v dialvane 7)" "$(v dialvane 4)"
done
rm -f "$summary"
read -r idle most last alarm dialog <<<"$day"
printf 'memory through a day at 120 px (medians of %s rounds): idle %s MB (goal <= 26); most %.1f MB, %+.1f MB over idle (goal <= +1);\n' \
  "$rounds" "$idle" "$most" "$(echo "$most - $idle" | bc -l)"
printf '  at its end %+.1f MB; after the first alarm window closed %+.1f MB, after the dialog %+.1f MB (goal <= 0)\n' \
  "$(echo "$last - $idle" | bc -l)" "$alarm" "$dialog"
