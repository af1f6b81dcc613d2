#!/usr/bin/env bash
# Configures and builds into build/ (or $DIALVANE_BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${DIALVANE_BUILD_DIR:-build}
[ -f "$dir/build.ninja" ] || cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$dir" -j "$(nproc)"
