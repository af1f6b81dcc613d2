#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The idle clock with and without a compositor, with a plain and with a
# transparent board (a copy of the desktop without a compositor, live under
# one). Run inside tests/x11/with-x.sh --no-wm --no-tray --compositor, which
# starts picom; this script stops and starts it by $COMPOSITOR_CTL.
# Prints, per case, the medians over the rounds of the clock's CPU (ms per
# minute), its wake-ups per second, the X server's and the compositor's CPU.
# Usage: compositor.sh DIALVANE ROUNDS SECONDS
set -euo pipefail
bin=$1 rounds=$2 secs=$3
xpid=$(pgrep -n -x Xvfb)

cpu() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{s += $1} END {printf "%d", s / 1000}'; }
wakeups() { cat /proc/"$1"/task/*/status 2>/dev/null | awk '/^voluntary_ctxt_switches/ {s += $2} END {print s + 0}'; }
picom_pid() { [ -s "$COMPOSITOR_PIDFILE" ] && cat "$COMPOSITOR_PIDFILE" || echo 0; }
median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

run() { # transparent: prints "client_us wakeups server_us compositor_us depth"
  local transparent=$1 cfg pid win depth pp
  cfg=$(mktemp -d); mkdir -p "$cfg/MOKU"
  printf '[General]\nFormLeft=1500\nFormTop=1500\nTransparent=%s\n' "$transparent" >"$cfg/MOKU/DIALVANE.conf"
  XDG_CONFIG_HOME=$cfg XDG_STATE_HOME=$cfg SDL_AUDIODRIVER=dummy "$bin" >/dev/null 2>&1 & pid=$!
  until win=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n1) && [ -n "$win" ]; do
    kill -0 "$pid" 2>/dev/null || { echo "the clock did not start" >&2; exit 1; }; sleep 0.01; done
  sleep 3 # settle: start-up is not idle
  depth=$(xwininfo -id "$(xdotool search --onlyvisible --pid "$pid" | head -n1)" | awk '/Depth:/ {print $2}')
  pp=$(picom_pid)
  local c0 w0 s0 p0 c1 w1 s1 p1
  c0=$(cpu "$pid"); w0=$(wakeups "$pid"); s0=$(cpu "$xpid"); p0=$( ((pp)) && cpu "$pp" || echo 0)
  sleep "$secs"
  c1=$(cpu "$pid"); w1=$(wakeups "$pid"); s1=$(cpu "$xpid"); p1=$( ((pp)) && cpu "$pp" || echo 0)
  echo "$((c1 - c0)) $((w1 - w0)) $((s1 - s0)) $((p1 - p0)) $depth"
  kill "$pid"; wait "$pid" 2>/dev/null || true
  rm -rf "$cfg"
}

printf '%-11s %-12s %6s %9s %9s %9s %9s\n' compositor board depth clock wakeups server picom
printf '%-11s %-12s %6s %9s %9s %9s %9s\n' "" "" bits "ms/min" "per s" "ms/min" "ms/min"
for comp in off on; do
  if [ $comp = on ]; then "$COMPOSITOR_CTL" start; else "$COMPOSITOR_CTL" stop; fi
  for transparent in False True; do
    cl="" wk="" sv="" pc="" depth=""
    for ((r = 0; r < rounds; r++)); do
      read -r c w s p depth < <(run "$transparent")
      cl+="$c " wk+="$w " sv+="$s " pc+="$p "
    done
    m() { tr ' ' '\n' <<<"$1" | grep . | median; }
    board=$([ $transparent = True ] && echo transparent || echo plain)
    printf '%-11s %-12s %6s %9.1f %9.2f %9.1f %9.1f\n' "$comp" "$board" "$depth" \
      "$(echo "$(m "$cl") * 60 / $secs / 1000" | bc -l)" "$(echo "$(m "$wk") / $secs" | bc -l)" \
      "$(echo "$(m "$sv") * 60 / $secs / 1000" | bc -l)" "$(echo "$(m "$pc") * 60 / $secs / 1000" | bc -l)"
  done
done
echo "(medians of $rounds rounds of $secs s, 120 px clock, second hand on)"
