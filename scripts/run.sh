#!/usr/bin/env bash
# Installs what is missing, builds and starts the clock. Arguments go to the clock.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh run
scripts/build.sh
exec "${DIALVANE_BUILD_DIR:-build}/dialvane" "$@"
