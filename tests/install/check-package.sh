#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# check-package.sh BUILD_DIR: scripts/package.sh builds the Debian package
# (into BUILD_DIR/package); unpacked with dpkg -x into a scratch root it holds
# what cmake --install puts under /usr, and its control fields are the
# program's.
set -uo pipefail
build=$(cd "$1" && pwd)
src=$(cd "$(dirname "$0")/../.." && pwd)
tmp=$(mktemp -d /tmp/dialvane-package.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
fail=0
bad() { echo "FAIL: $*"; fail=1; }

export DIALVANE_PACKAGE_DIR="$build/package"
"$src/scripts/package.sh" >"$tmp/package.log" 2>&1 || { cat "$tmp/package.log"; bad "package.sh"; exit 1; }
version=$(sed -n 's/^project(Dialvane VERSION \([0-9.]*\).*/\1/p' "$src/CMakeLists.txt")
deb="$DIALVANE_PACKAGE_DIR/dialvane_${version}_amd64.deb"
[ -f "$deb" ] || { bad "no $deb"; exit 1; }

dpkg -x "$deb" "$tmp/root" || bad "dpkg -x"
DESTDIR="$tmp/install" cmake --install "$DIALVANE_PACKAGE_DIR" --prefix /usr >/dev/null 2>&1 || bad "cmake --install"
list() { (cd "$1" && find . \( -type f -o -type l \) | sort); }
diff <(list "$tmp/install") <(list "$tmp/root") || bad "the package's files differ from cmake --install's"
for f in usr/bin/dialvane usr/lib/x86_64-linux-gnu/dialvane/dialvane usr/lib/x86_64-linux-gnu/dialvane/dialvane-sound \
  usr/share/man/man1/dialvane.1.gz usr/share/doc/dialvane/copyright usr/share/applications/dialvane.desktop; do
  [ -e "$tmp/root/$f" ] || bad "no /$f"
done
"$tmp/root/usr/bin/dialvane" --version | grep -q "Dialvane" || bad "dialvane --version"
zcat "$tmp/root/usr/share/man/man1/dialvane.1.gz" | grep -q '^\.I /usr/lib/x86_64-linux-gnu/dialvane/$' || bad "man FILES"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = dialvane ] || bad "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || bad "Version: $(field Version)"
[ "$(field Architecture)" = amd64 ] || bad "Architecture: $(field Architecture)"
# The libraries' packages come from dpkg-shlibdeps, with their versions.
for dep in 'libqt6widgets6 (>= ' 'libsdl2-mixer-2.0-0 (>= ' 'libxcb1' 'qt6-qpa-plugins'; do
  field Depends | grep -qF "$dep" || bad "Depends lacks $dep: $(field Depends)"
done
[ $fail = 0 ] && echo "package: $(list "$tmp/root" | wc -l) files and links, as installed; Depends: $(field Depends)"
exit $fail
