#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Formats every C++ file of the tree with .clang-format; with --check, only
# lists the files that stray from it (or lack the licence line) and fails.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files -- '*.cpp' '*.h' 2>/dev/null || find src tests bench fuzz -name '*.cpp' -o -name '*.h')
if [ "${1:-}" = --check ]; then
  # Every source file opens with its licence line.
  unlicensed=$(for f in "${files[@]}"; do head -n 1 "$f" | grep -q 'SPDX-License-Identifier:' || echo "$f"; done)
  if [ -n "$unlicensed" ]; then
    echo "$unlicensed" | sed 's/^/no SPDX-License-Identifier line: /' >&2
    exit 1
  fi
  if ! clang-format --dry-run --Werror "${files[@]}" 2>/tmp/format.$$; then
    grep -o '^[^:]*:[0-9]*:[0-9]*: error' /tmp/format.$$ | cut -d: -f1 | sort -u | sed 's/^/needs clang-format: /' >&2
    rm -f /tmp/format.$$
    echo "Run scripts/format.sh to format them." >&2
    exit 1
  fi
  rm -f /tmp/format.$$
else
  clang-format -i "${files[@]}"
fi
