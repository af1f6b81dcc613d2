#!/usr/bin/env bash
# Builds and runs the benchmarks: face frame cost, tick latency and idle CPU.
#   scripts/bench.sh [SECONDS]   (idle CPU is measured over SECONDS, default 60)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
command -v xclock >/dev/null && command -v bc >/dev/null || {
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends x11-apps bc; }
scripts/build.sh >/dev/null
b=${DIALVANE_BUILD_DIR:-build}
echo "== one face frame"
"$b/bench/bench_face"
echo "== how late a new second shows (20 s)"
tests/x11/with-x.sh env SDL_AUDIODRIVER=dummy "$b/bench/bench_tick" 20
echo "== idle CPU at 120 px"
tests/x11/with-x.sh bench/idle_cpu.sh "$b/dialvane" "${1:-60}"
