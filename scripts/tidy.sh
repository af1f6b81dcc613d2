#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs clang-tidy with the tree's .clang-tidy over src/, using the compile
# commands of build/ (or $DIALVANE_BUILD_DIR), which scripts/build.sh makes.
# Any finding fails the run.
#   scripts/tidy.sh [FILE-REGEX]   (only the sources matching it)
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${DIALVANE_BUILD_DIR:-build}
[ -f "$dir/compile_commands.json" ] || { echo "no $dir/compile_commands.json: run scripts/build.sh first" >&2; exit 1; }
tidy=$(command -v clang-tidy-14 || command -v clang-tidy)
# Our own headers count; Qt's and the generated ones do not.
headers="^$PWD/src/"
files="^$PWD/src/${1:-.*}\\.cpp\$"
# clang-tidy counts what it hid in Qt's and the system's headers: not ours.
quiet() { grep -v 'warnings\? generated\.$' || true; }
if runner=$(command -v run-clang-tidy-14 || command -v run-clang-tidy); then
  "$runner" -quiet -clang-tidy-binary "$tidy" -p "$dir" -header-filter "$headers" -j "$(nproc)" "$files" 2>&1 | quiet
else
  mapfile -t sources < <(git ls-files 'src/*.cpp' | grep -E "${files#^$PWD/}")
  "$tidy" --quiet -p "$dir" --header-filter "$headers" "${sources[@]}" 2>&1 | quiet
fi
echo "clang-tidy: no finding in src/"
