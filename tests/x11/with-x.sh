#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# with-x.sh [--no-wm] [--no-tray] [--compositor] CMD...: runs CMD on a private
# Xvfb with openbox and a tint2 tray host (and, asked for, the picom compositor),
# then stops exactly the processes it started.
# XVFB_SCREEN sets the screen (default 1024x768x24). With --compositor, CMD may
# stop and start the compositor with "$COMPOSITOR_CTL stop|start".
set -uo pipefail
wm=1 tray=1 compositor=0
while [ $# -gt 0 ]; do
  case "$1" in
    --no-wm) wm=0; shift ;;
    --no-tray) tray=0; shift ;;
    --compositor) compositor=1; shift ;;
    *) break ;;
  esac
done

tmp=$(mktemp -d /tmp/dialvane-x.XXXXXX)
pids=()
cleanup() {
  # The compositor may have been restarted by the test: its pid is in the file.
  [ -s "$tmp/picom.pid" ] && kill "$(cat "$tmp/picom.pid")" 2>/dev/null
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  for p in "${pids[@]}"; do wait "$p" 2>/dev/null; done
  rm -rf "$tmp"
}
trap cleanup EXIT

unset WAYLAND_DISPLAY XDG_SESSION_TYPE
# The clock in its own language, whatever the locale of the one running the tests.
unset LANGUAGE LC_MESSAGES
export LC_ALL=C.UTF-8
export XDG_RUNTIME_DIR="$tmp/run"
# Alarm state of the clocks started here stays here.
export XDG_STATE_HOME="$tmp/state"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"

# -displayfd picks a free display; -noreset keeps root settings when clients leave;
# -bs gives real backing store, so a hidden clock does not leave its face behind.
Xvfb -displayfd 3 -noreset -bs -nolisten tcp -screen 0 "${XVFB_SCREEN:-1024x768x24}" 3>"$tmp/display" 2>"$tmp/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.05; done
[ -s "$tmp/display" ] || { echo "Xvfb did not start"; cat "$tmp/xvfb.log"; exit 1; }
export DISPLAY=":$(head -n1 "$tmp/display")"

xsetroot -solid '#3060a0' 2>/dev/null
# Relative pointer moves land where asked: no acceleration.
xset m 1 1 2>/dev/null

if [ $wm = 1 ]; then
  openbox --sm-disable >"$tmp/openbox.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.05; done
fi
if [ $tray = 1 ]; then
  cat >"$tmp/tint2rc" <<'RC'
panel_items = TS
panel_position = bottom center horizontal
panel_size = 100% 30
systray_padding = 2 2 2
systray_icon_size = 22
taskbar_mode = single_desktop
RC
  tint2 -c "$tmp/tint2rc" >"$tmp/tint2.log" 2>&1 &
  pids+=($!)
  # The tray host is up once its panel window exists.
  for _ in $(seq 100); do [ -n "$(xdotool search --class tint2 2>/dev/null)" ] && break; sleep 0.05; done
fi

if [ $compositor = 1 ]; then
  export COMPOSITOR_PIDFILE="$tmp/picom.pid" COMPOSITOR_CTL="$(cd "$(dirname "$0")" && pwd)/picom-ctl.sh"
  "$COMPOSITOR_CTL" start || { echo "picom did not start"; exit 1; }
fi

"$@"
rc=$?
exit $rc
