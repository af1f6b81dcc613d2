#!/usr/bin/env bash
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
