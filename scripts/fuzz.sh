#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the logic and its libFuzzer targets with clang into build-fuzz/ and runs
# each a fixed number of times from the corpora under fuzz/corpus. Any report
# (a crash, a sanitizer finding, a broken property) fails the run.
#   scripts/fuzz.sh [RUNS]   (executions per target, default 20000)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
dir=${DIALVANE_FUZZ_DIR:-build-fuzz}
[ -f "$dir/build.ninja" ] || cmake --preset fuzz -B "$dir"
cmake --build "$dir" -j "$(nproc)"
runs=${1:-20000}
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for t in birthday offset time store picture daysoff sound; do
  work=$(mktemp -d) # new finds stay out of the committed corpus
  echo "== fuzz_$t: $runs runs"
  "$dir/fuzz/fuzz_$t" -runs="$runs" -max_len=4096 -rss_limit_mb=2048 -artifact_prefix="$work/" \
    "$work" "fuzz/corpus/$t" 2>"$work.log" || {
      tail -n 40 "$work.log"; cp "$work"/crash-* "$work"/timeout-* "$dir/" 2>/dev/null
      echo "the input that failed is kept in $dir/"; rm -rf "$work" "$work.log"; exit 1; }
  grep -E '^Done|^#[0-9]+ *DONE' "$work.log" | tail -n 1
  rm -rf "$work" "$work.log"
done
echo "fuzzing: 7 targets, $runs runs each, no report"
