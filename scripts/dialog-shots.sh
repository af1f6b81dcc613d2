#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Screenshots of the settings dialogs into docs/, taken from the real program
# under a private Xvfb with openbox (driven by keys, as a user could).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh >/dev/null
export DIALVANE_BIN=${DIALVANE_BUILD_DIR:-build}/dialvane
exec timeout 120 tests/x11/with-x.sh --no-tray bash -c '
set -euo pipefail
cfg=$(mktemp -d); mkdir -p "$cfg/MOKU" "$cfg/pictures"
convert -size 64x64 xc:skyblue "$cfg/pictures/sky.bmp"
printf "[General]\nBmpDirectory=$cfg/pictures\nFormLeft=1500\nFormTop=1500\nSlideBmp=True\nMag2Flag=True\nClockSize=240\nAlarmTime1=07:30\nShutDownTime=23:00\n" >"$cfg/MOKU/DIALVANE.conf"
XDG_CONFIG_HOME=$cfg SDL_AUDIODRIVER=dummy "$DIALVANE_BIN" & pid=$!
trap "kill $pid; rm -rf $cfg" EXIT
sleep 1.5
# With no tray host the right button opens the tray menu: its first item.
xdotool mousemove 160 160 click 3; sleep 0.5; xdotool key Down Return
shot() { # the active window with its frame
  sleep 1
  local id info ext x y w h
  id=$(xdotool getactivewindow)
  info=$(xwininfo -id "$id")
  x=$(sed -n "s/.*Absolute upper-left X: *//p" <<<"$info"); y=$(sed -n "s/.*Absolute upper-left Y: *//p" <<<"$info")
  w=$(sed -n "s/.*Width: *//p" <<<"$info"); h=$(sed -n "s/.*Height: *//p" <<<"$info")
  ext=$(xprop -id "$id" _NET_FRAME_EXTENTS | sed "s/.*= //; s/,//g")
  read -r l r t b <<<"${ext:-0 0 0 0}"
  timeout 10 import -window root -crop "$((w + l + r))x$((h + t + b))+$((x - l))+$((y - t))" +repage "docs/$1.png"
}
key() { for k in "$@"; do xdotool key "$k"; sleep 0.1; done; }
shot dialog-settings
# The focus starts on the slideshow box: its button, then the size box and its button.
key Tab space; shot dialog-slideshow; key Escape; sleep 0.5
key Tab Tab space; shot dialog-size; key Escape; sleep 0.5
key Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab space; shot dialog-chime; key Escape; sleep 0.5
# The first alarm row: its details button, where the settings dialog has it.
xdotool mousemove --window "$(xdotool getactivewindow)" 534 301 click 1; shot dialog-alarm; key Escape
'
