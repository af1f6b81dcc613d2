#!/usr/bin/env bash
# Idle CPU of the running clock (its own plus the X server's) against
# `xclock -analog -update 1`, one after the other under the same Xvfb.
# Usage (inside with-x.sh): idle_cpu.sh DIALVANE SECONDS
set -euo pipefail
bin=$1
secs=${2:-60}
xpid=$(pgrep -n -x Xvfb)

# CPU time in ns of all threads of a process (schedstat: exact, not tick-sampled).
ticks() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{s += $1} END {printf "%d", s / 1000}'; }

measure() { # name cmd...: prints "name client_ms server_ms"
  local name=$1; shift
  "$@" >/dev/null 2>&1 &
  local pid=$!
  sleep 3 # settle: start-up is not idle
  local c0 s0 c1 s1
  c0=$(ticks "$pid"); s0=$(ticks "$xpid")
  sleep "$secs"
  c1=$(ticks "$pid"); s1=$(ticks "$xpid")
  kill "$pid"; wait "$pid" 2>/dev/null || true
  echo "$name $(( (c1 - c0) / 1000 )) $(( (s1 - s0) / 1000 ))"
}

cfg=$(mktemp -d)
trap 'rm -rf "$cfg"' EXIT
export XDG_CONFIG_HOME=$cfg SDL_AUDIODRIVER=dummy
a=$(measure dialvane "$bin")
b=$(measure xclock xclock -analog -update 1 -geometry 120x120+300+300)
echo "over $secs s, CPU in ms (client + X server):"
for r in "$a" "$b"; do
  set -- $r
  printf '  %-9s client %5d  server %5d  total %5d  (%.1f ms a minute)\n' "$1" "$2" "$3" $(( $2 + $3 )) \
    "$(echo "($2 + $3) * 60 / $secs" | bc -l)"
done
set -- $a; da=$(( $2 + $3 ))
set -- $b; db=$(( $2 + $3 ))
echo "  ratio dialvane / xclock: $(echo "scale=2; $da / ($db + 0.0001)" | bc -l)"
