#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian 12 packages Dialvane needs that are not there yet.
#   scripts/deps.sh run    building and running the clock
#   scripts/deps.sh test   that, plus what the tests start (X server, window
#                          manager, tray host, D-Bus mock, tools)
set -euo pipefail

build=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-l10n-tools libgl-dev
       libxcb1-dev libxcb-xkb-dev libxcb-xinput-dev libxcb-xfixes0-dev libsdl2-mixer-dev)
runtime=(timgm6mb-soundfont fonts-ipafont-gothic qt6-translations-l10n qt6-image-formats-plugins xdg-utils)
testing=(xvfb xauth openbox tint2 picom xdotool x11-utils x11-xserver-utils imagemagick
         python3 python3-dbusmock dbus dbus-bin faketime clang libclang-rt-14-dev clang-format clang-tidy-14
         appstream man-db dpkg-dev lintian)

want=("${build[@]}" "${runtime[@]}")
[ "${1:-run}" = test ] && want+=("${testing[@]}")

missing=()
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
