#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds and runs the benchmarks: face frame cost, and the idle clock against
# xclock side by side (CPU, wake-ups, memory, start-up, how late each second
# shows), the idle clock with and without a compositor, and the clock's
# memory around its sounds.
#   scripts/bench.sh [SECONDS [ROUNDS [SIZE...]]]
#   (each idle measurement lasts SECONDS, default 60; ROUNDS default 3; sizes 120 480 1080)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
command -v xclock >/dev/null && command -v swisswatch >/dev/null && command -v bc >/dev/null \
  && pkg-config --exists xcb-damage || {
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends x11-apps swisswatch bc libxcb-damage0-dev; }
scripts/build.sh >/dev/null
b=${DIALVANE_BUILD_DIR:-build}
# A build configured before xcb-damage was installed looks for it again.
[ -x "$b/bench/bench_shown" ] || { cmake -S . -B "$b" >/dev/null && scripts/build.sh >/dev/null; }
echo "== one face frame"
"$b/bench/bench_face"
echo "== the clock's memory around its sounds, and a WAV's time to its first sample"
SDL_AUDIODRIVER=dummy "$b/bench/bench_sound" 10 20
echo "== idle, against xclock -analog -update 1 and swisswatch -tick 1 under the same X server"
secs=${1:-60} rounds=${2:-3}
shift $(( $# > 2 ? 2 : $# )) || true
[ $# -gt 0 ] || set -- 120 480 1080
# A screen tall enough for the largest clock.
XVFB_SCREEN=1920x1200x24 tests/x11/with-x.sh --no-wm --no-tray \
  bench/side_by_side.sh "$b/dialvane" "$b/bench/bench_shown" "$rounds" "$secs" "$@"
echo "== idle, with and without a compositor (picom), plain and transparent board"
tests/x11/with-x.sh --no-wm --no-tray --compositor bench/compositor.sh "$b/dialvane" "$rounds" "$secs"
