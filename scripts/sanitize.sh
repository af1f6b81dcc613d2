#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-sanitize/ and runs the whole suite there. Any report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
dir=${DIALVANE_SANITIZE_DIR:-build-sanitize}
# ccache as in build.sh.
launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
[ -f "$dir/build.ninja" ] || cmake --preset sanitize -B "$dir" "${launcher[@]}"
cmake --build "$dir" -j "$(nproc)"
# Qt and fontconfig keep caches for the process's life: leaks at exit are not ours to judge.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd "$dir"
ctest --output-on-failure --timeout 600 "$@"
