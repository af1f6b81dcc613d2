#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# picom-ctl.sh start|stop: the picom compositor (xrender back end) on $DISPLAY,
# kept by its own pid in $COMPOSITOR_PIDFILE. Returns once picom is up or gone.
set -uo pipefail
pidfile=${COMPOSITOR_PIDFILE:?}
up() { xwininfo -root -children 2>/dev/null | grep -q '("picom" "picom")'; }
case "${1:-}" in
  start)
    up && exit 0
    picom --backend xrender >>"$pidfile.log" 2>&1 &
    echo $! >"$pidfile"
    for _ in $(seq 100); do up && exit 0; sleep 0.05; done
    exit 1 ;;
  stop)
    [ -s "$pidfile" ] || exit 0
    p=$(cat "$pidfile")
    kill "$p" 2>/dev/null
    for _ in $(seq 100); do kill -0 "$p" 2>/dev/null || break; sleep 0.05; done
    : >"$pidfile"
    for _ in $(seq 100); do up || exit 0; sleep 0.05; done
    exit 1 ;;
  *) echo "usage: $0 start|stop" >&2; exit 2 ;;
esac
