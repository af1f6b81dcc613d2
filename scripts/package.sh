#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package dialvane_<version>_amd64.deb in build-package/ (or
# $DIALVANE_PACKAGE_DIR): the clock alone, installed under /usr, with its
# dependencies computed; lintian looks it over when it is installed.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${DIALVANE_PACKAGE_DIR:-build-package}
launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr -DDIALVANE_DEBIAN=ON "${launcher[@]}" >/dev/null
cmake --build "$dir" -j "$(nproc)" --target dialvane
(cd "$dir" && cpack -G DEB >/dev/null)
deb=$(ls "$dir"/dialvane_*_amd64.deb)
if command -v lintian >/dev/null 2>&1; then
  # Errors fail the package; warnings are printed.
  lintian --fail-on error "$deb"
fi
echo "$deb"
