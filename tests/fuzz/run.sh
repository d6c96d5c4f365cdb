#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each for a bounded time, starting
# from its committed seeds. Exits non-zero when a target crashes or a
# property fails; prints how many inputs each target ran.
#
#   tests/fuzz/run.sh [seconds per target, default 60]
#
# ORVEX_FUZZ_BUILD chooses the build folder (default build/fuzz). New inputs
# found go to <build>/tests/fuzz/work/, never into the committed seeds;
# failing inputs go to <build>/tests/fuzz/artifacts/.
set -euo pipefail

seconds=${1:-60}
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${ORVEX_FUZZ_BUILD:-$root/build/fuzz}

cd "$root"
cmake --preset fuzz -B "$build" >/dev/null
cmake --build "$build" --target fuzz_targets -j2 >/dev/null

failed=0
while read -r target; do
  [ -n "$target" ] || continue
  name=${target#fuzz_}
  work=$build/tests/fuzz/work/$name
  artifacts=$build/tests/fuzz/artifacts/$name
  log=$build/tests/fuzz/$name.log
  mkdir -p "$work" "$artifacts"
  if "$build/tests/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$artifacts/" "$work" "$root/tests/fuzz/corpus/$name" \
      >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "$target: ${runs:-?} executions in ${seconds} s, no failure"
  else
    echo "$target: FAILED (log: $log)"
    grep -A3 -E '^Property failed|ERROR: (AddressSanitizer|libFuzzer)|runtime error' "$log" | head -20 || true
    ls "$artifacts"
    failed=1
  fi
done <"$build/tests/fuzz/targets.txt"
exit $failed
