#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds the clock alone (no tests, no benches;
# with everything the install takes) and
# starts it. Arguments go to the clock.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh run
scripts/build.sh dialvane
exec "${DIALVANE_BUILD_DIR:-build}/dialvane" "$@"
