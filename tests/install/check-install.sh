#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# check-install.sh BUILD_DIR: what the run command builds (the clock's target
# alone) is all the install needs. The generated files the install takes are
# removed first, the clock's target built, the tree installed into a scratch
# folder and looked at: icons, metainfo, manual page, the command's link, and a
# manifest that lists every file and link installed.
set -uo pipefail
build=$1
tmp=$(mktemp -d /tmp/dialvane-install.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
fail=0
bad() { echo "FAIL: $*"; fail=1; }

rm -rf "$build/icons"
cmake --build "$build" --target dialvane >"$tmp/build.log" 2>&1 || { cat "$tmp/build.log"; bad "build"; exit 1; }
DESTDIR="$tmp/root" cmake --install "$build" --prefix /usr/local >"$tmp/install.log" 2>&1 \
  || { cat "$tmp/install.log"; bad "install"; exit 1; }
root="$tmp/root/usr/local"

for size in 16 22 24 32 48 64 128 256; do
  f="$root/share/icons/hicolor/${size}x${size}/apps/dialvane.png"
  [ "$(identify -format '%wx%h' "$f" 2>/dev/null)" = "${size}x${size}" ] || bad "icon $f"
done
grep -q '<svg' "$root/share/icons/hicolor/scalable/apps/dialvane.svg" 2>/dev/null || bad "scalable icon"
appstreamcli validate --no-net "$root/share/metainfo/jp.moku.Dialvane.metainfo.xml" || bad "metainfo"
[ -z "$(man --warnings -l "$root/share/man/man1/dialvane.1" 2>&1 >/dev/null)" ] || bad "manual page"
MANWIDTH=80 man -l "$root/share/man/man1/dialvane.1" 2>/dev/null | grep -q -- '-offset=H.MM' || bad "manual page text"
# Narrow, no option name or key is broken across lines; FILES names this prefix.
for width in 40 50 64; do
  page=$(MANWIDTH=$width man -l "$root/share/man/man1/dialvane.1" 2>/dev/null)
  for word in -offset=9 -offset=-1.30 AlarmOnce1 AlarmSkipHolidays1 AlarmRingMinutes1 DIALVANE.conf.unreadable; do
    grep -q -- "$word" <<<"$page" || bad "manual page at $width columns breaks $word"
  done
done
grep -q '^\.I /usr/local/lib/dialvane/$' "$root/share/man/man1/dialvane.1" || bad "manual page FILES"
[ -L "$root/bin/dialvane" ] || bad "no link bin/dialvane"
"$root/bin/dialvane" --version | grep -q 'Dialvane' || bad "bin/dialvane --version"
for f in dialvane dialvane-sound JIHOU.WAV ALARM.WAV DIALVANE.html DIALVANE_en.html; do
  [ -f "$root/lib/dialvane/$f" ] || bad "lib/dialvane/$f"
done
[ -f "$root/share/applications/dialvane.desktop" ] || bad "desktop entry"

# Every file and link installed is in the manifest, and nothing else.
(cd "$tmp/root" && find . \( -type f -o -type l \) | sed 's#^\.##' | sort) >"$tmp/installed"
sed "s#^$tmp/root##" "$build/install_manifest.txt" | sort >"$tmp/manifest"
diff "$tmp/installed" "$tmp/manifest" || bad "manifest differs from the installed tree"
# Another prefix, another FILES (after the manifest, which this install rewrites).
DESTDIR="$tmp/opt" cmake --install "$build" --prefix /opt/dv >/dev/null 2>&1 || bad "install under /opt/dv"
grep -q '^\.I /opt/dv/lib/dialvane/$' "$tmp/opt/opt/dv/share/man/man1/dialvane.1" || bad "FILES under /opt/dv"
[ $fail = 0 ] && echo "install: $(wc -l <"$tmp/installed") files and links, all listed"
exit $fail
