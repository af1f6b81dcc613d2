#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the README's faces with the snapshot command into docs/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh >/dev/null
bin=${DIALVANE_BUILD_DIR:-build}/dialvane
mkdir -p docs
face() { # name time ini
  local cfg
  cfg=$(mktemp -d)
  mkdir -p "$cfg/MOKU"
  printf '[General]\n%b' "$3" >"$cfg/MOKU/DIALVANE.conf"
  XDG_CONFIG_HOME=$cfg "$bin" --snapshot "docs/$1.png" --at "$2"
  rm -rf "$cfg"
}
face face-bars 10:10:40 'DrawFrameFlag=False\n'
face face-roman-shadows 08:20:30 'CharPattern=True\nShadowFlag=True\nDrawFrameFlag=False\nSecondColor=255\n'
face face-ring 01:50:15 'FrameColor=8404992\nBoardColor=15792383\nHourColor=8404992\nMinuteColor=8404992\nSecondColor=255\n'
face face-240 04:40:50 'Mag2Flag=True\nClockSize=240\nCharPattern=True\nShadowFlag=True\nBoardColor=14745599\nFrameColor=3355443\nSecondColor=204\n'

# A picture board, from the snapshot command.
pic=$(mktemp -d)
convert -size 320x240 gradient:'#ffe9a8-#6a9fd8' -fill '#ffffff80' -draw 'circle 220,70 250,90' "$pic/sky.jpg"
face face-picture 02:35:20 "BackImage=$pic/sky.jpg\nMag2Flag=True\nClockSize=180\nSecondColor=204\n"

# A transparent board: the real clock over a window of the desktop, cut to its circle.
convert -size 400x300 pattern:checkerboard -fill '#3a7' -colorize 40 "$pic/behind.png"
DIALVANE_BIN=$(realpath "$bin") PIC=$pic timeout 60 tests/x11/with-x.sh --no-tray bash -c '
  display -geometry +0+0 "$PIC/behind.png" & d=$!
  # The clock captures at start: wait until the window behind has painted.
  for _ in $(seq 50); do
    [ "$(import -window root -crop 1x1+150+150 txt:- | grep -c "#D6D6D6")" = 0 ] && break; sleep 0.2
  done
  sleep 0.5
  cfg=$(mktemp -d); mkdir -p "$cfg/MOKU"
  printf "[General]\nFormLeft=1500\nFormTop=1200\nTransparent=True\nMag2Flag=True\nClockSize=180\nSecondColor=204\n" >"$cfg/MOKU/DIALVANE.conf"
  XDG_CONFIG_HOME=$cfg SDL_AUDIODRIVER=dummy "$DIALVANE_BIN" & c=$!
  sleep 2.5
  import -window root -crop 180x180+100+80 +repage "$PIC/shot.png"
  kill $c $d; rm -rf "$cfg"'
convert "$pic/shot.png" \( -size 180x180 xc:none -fill white -draw 'circle 89.5,89.5 89.5,0' \) \
  -compose CopyOpacity -composite docs/face-transparent.png
rm -rf "$pic"
