#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures and builds into build/ (or $DIALVANE_BUILD_DIR): everything, or
# only the targets named (scripts/build.sh dialvane). The folder is configured
# by the preset $DIALVANE_PRESET of CMakePresets.json (default; ci adds -Werror).
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${DIALVANE_BUILD_DIR:-build}
# ccache, where it is installed, shares objects between clones and build folders
# (paths taken relative to the clone, so that another clone's objects count).
launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
preset=${DIALVANE_PRESET:-default}
# ci always configures, so that a folder made without -Werror gets it.
if [ ! -f "$dir/build.ninja" ] || [ "$preset" = ci ]; then
  cmake --preset "$preset" -B "$dir" "${launcher[@]}"
fi
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build "$dir" -j "$(nproc)" "${targets[@]}"
