#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The running clock against `xclock -analog -update 1` and `swisswatch -tick 1`
# (another once-a-second X clock, where installed), in turn under the same X
# server (run inside tests/x11/with-x.sh --no-wm --no-tray), idle, with the
# second hand on. Prints the medians over the rounds and the ratios to xclock's.
# After each idle measurement, bench_shown watches the window's drawing through
# the server (DAMAGE) for a while and times each new second against its start.
# Usage: side_by_side.sh DIALVANE BENCH_SHOWN ROUNDS SECONDS SIZE...
set -euo pipefail
bin=$1 shown=$2 rounds=$3 secs=$4; shift 4
mapped=$(dirname "$shown")/bench_mapped
sizes=("$@")
xpid=$(pgrep -n -x Xvfb)

# CPU in µs of all threads (schedstat: exact, not sampled); context switches
# a thread made by itself: its wake-ups, near enough.
cpu() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{s += $1} END {printf "%d", s / 1000}'; }
wakeups() { cat /proc/"$1"/task/*/status 2>/dev/null | awk '/^voluntary_ctxt_switches/ {s += $2} END {print s + 0}'; }
rss() { awk '/^VmRSS/ {print $2}' /proc/"$1"/status; }

run() { # kind size: prints "startup_ms client_us server_us wakeups rss_kb late_median late_p95"
  local kind=$1 size=$2 cfg pid st win
  cfg=$(mktemp -d); mkdir -p "$cfg/MOKU"
  printf '[General]\nMag2Flag=True\nClockSize=%s\nFormLeft=1500\nFormTop=1500\n' "$size" >"$cfg/MOKU/DIALVANE.conf"
  # Timed to the first window the server maps, without polling.
  local geometry="${size}x${size}+100+100"
  case $kind in
    dialvane) read -r pid st win < <(XDG_CONFIG_HOME=$cfg XDG_STATE_HOME=$cfg SDL_AUDIODRIVER=dummy "$mapped" "$bin" 2>/dev/null) ;;
    earlier) read -r pid st win < <(XDG_CONFIG_HOME=$cfg XDG_STATE_HOME=$cfg SDL_AUDIODRIVER=dummy "$mapped" "$BENCH_EARLIER" 2>/dev/null) ;;
    xclock) read -r pid st win < <("$mapped" xclock -analog -update 1 -geometry "$geometry" 2>/dev/null) ;;
    swisswatch) read -r pid st win < <("$mapped" swisswatch -tick 1 -geometry "$geometry" 2>/dev/null) ;;
    buici) read -r pid st win < <("$mapped" buici-clock -geometry "$geometry" 2>/dev/null) ;;
  esac
  [ -n "${win:-}" ] || { echo "$kind did not start" >&2; exit 1; }
  sleep 3 # settle: start-up is not idle
  local c0 s0 w0 c1 s1 w1
  c0=$(cpu "$pid"); s0=$(cpu "$xpid"); w0=$(wakeups "$pid")
  sleep "$secs"
  c1=$(cpu "$pid"); s1=$(cpu "$xpid"); w1=$(wakeups "$pid")
  local late
  late=$("$shown" "$win" "${SHOWN_SECONDS:-12}")
  echo "$st $((c1 - c0)) $((s1 - s0)) $((w1 - w0)) $(rss "$pid") ${late% *}"
  kill "$pid"; wait "$pid" 2>/dev/null || true
  rm -rf "$cfg"
}

# BENCH_EARLIER names another build of the clock (an earlier commit's), to
# compare before and after in the same run.
kinds=(dialvane xclock)
[ -n "${BENCH_EARLIER:-}" ] && kinds+=(earlier)
command -v swisswatch >/dev/null && kinds+=(swisswatch)
command -v buici-clock >/dev/null && kinds+=(buici)
# BENCH_ONLY="dialvane xclock" measures only those, for a quick look.
[ -n "${BENCH_ONLY:-}" ] && read -r -a kinds <<<"$BENCH_ONLY"

# Numbers only: bench_shown says "-" when it saw no second drawn.
median() { { grep -E '^[0-9.]+$' || true; } | sort -n | awk '{v[NR] = $1} END {print NR == 0 ? "nan" : (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

printf '%-6s %-9s %9s %9s %9s %9s %8s %9s %9s %9s\n' size clock client server total wakeups RSS start-up shown shown
printf '%-6s %-9s %9s %9s %9s %9s %8s %9s %9s %9s\n' px "" "ms/min" "ms/min" "ms/min" "per s" MB ms "median ms" "p95 ms"
for size in "${sizes[@]}"; do
  declare -A col=()
  for ((r = 0; r < rounds; r++)); do
    for kind in "${kinds[@]}"; do
      read -r st cl sv wk rs lm lp < <(run "$kind" "$size")
      col[$kind.st]+="$st "; col[$kind.cl]+="$cl "; col[$kind.sv]+="$sv "; col[$kind.wk]+="$wk "; col[$kind.rs]+="$rs "
      col[$kind.lm]+="$lm "; col[$kind.lp]+="$lp "
    done
  done
  for kind in "${kinds[@]}"; do
    m() { tr ' ' '\n' <<<"${col[$kind.$1]}" | grep . | median; }
    cl=$(m cl) sv=$(m sv) wk=$(m wk) rs=$(m rs) st=$(m st) lm=$(m lm) lp=$(m lp)
    declare "${kind}_total=$(echo "($cl + $sv) * 60 / $secs / 1000" | bc -l)"
    declare "${kind}_st=$st" "${kind}_rs=$rs" "${kind}_wk=$wk"
    printf '%-6s %-9s %9.1f %9.1f %9.1f %9.2f %8.1f %9.0f %9.2f %9.2f\n' "$size" "$kind" \
      "$(echo "$cl * 60 / $secs / 1000" | bc -l)" "$(echo "$sv * 60 / $secs / 1000" | bc -l)" \
      "$(echo "($cl + $sv) * 60 / $secs / 1000" | bc -l)" "$(echo "$wk / $secs" | bc -l)" \
      "$(echo "$rs / 1024" | bc -l)" "$st" "$lm" "$lp"
  done
  for kind in "${kinds[@]}"; do
    [ "$kind" = xclock ] && continue
    t=${kind}_total r=${kind}_rs s=${kind}_st
    printf '%-6s %-9s CPU %.2f×  RSS %.2f×  start-up %.2f× xclock  (medians of %d rounds of %d s)\n' "$size" "$kind" \
      "$(echo "${!t} / $xclock_total" | bc -l)" "$(echo "${!r} / $xclock_rs" | bc -l)" \
      "$(echo "${!s} / ($xclock_st + 0.001)" | bc -l)" "$rounds" "$secs"
    # For the goals table: size, clock, CPU and start-up to xclock's, wake-ups a second, RSS MB, start-up ms.
    w=${kind}_wk
    [ -n "${BENCH_SUMMARY:-}" ] && echo "$size $kind $(echo "${!t} / $xclock_total" | bc -l) \
$(echo "${!s} / ($xclock_st + 0.001)" | bc -l) $(echo "${!w} / $secs" | bc -l) $(echo "${!r} / 1024" | bc -l) ${!s}" >>"$BENCH_SUMMARY"
  done
  unset col
done
