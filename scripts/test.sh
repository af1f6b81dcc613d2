#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds and runs every test. The real-window tests
# start their own X server, window manager and tray host; the shutdown tests
# their own system bus with a logind mock.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
# Every source file keeps the tree's format (.clang-format).
scripts/format.sh --check
# CI builds with warnings as errors.
[ "${CI:-}" = true ] && export DIALVANE_PRESET=${DIALVANE_PRESET:-ci}
scripts/build.sh
cd "${DIALVANE_BUILD_DIR:-build}"
ctest --output-on-failure --timeout 300 "$@"
