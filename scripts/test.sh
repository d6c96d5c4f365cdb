#!/usr/bin/env bash
# The whole test suite: installs what is missing, then builds and tests every
# tree. Each step prints a summary line at the end; the last line counts the
# tests of all steps. Exits non-zero when any step fails.
set -uo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/wine-env.sh
. scripts/wine-env.sh

jobs=$(nproc 2>/dev/null || echo 2)
# Per test, unless the test sets its own limit.
test_timeout=600

summary=()
total_passed=0
total_failed=0
total_skipped=0
failed_steps=0

# Set by each step.
step_passed=0
step_failed=0
step_skipped=0
step_note=""
readonly SKIPPED_STEP=99

wine32_runs() { wine_runs /usr/lib/wine/wine; }

# Adds the counts of a ctest run (its output in log) to the step's.
count_ctest_results() {
  local log=$1 line total failed skipped
  line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  [[ -z $line ]] && return 0
  total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
  failed=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
  skipped=$(grep -cE '^[[:space:]]*[0-9]+ - .* \((Skipped|Disabled)\)$' "$log" || true)
  step_passed=$((step_passed + total - failed - skipped))
  step_failed=$((step_failed + failed))
  step_skipped=$((step_skipped + skipped))
}

# ctest of a preset's tree, with extra arguments (label filters).
run_ctest() {
  local preset=$1 log rc
  shift
  log=$(mktemp)
  ctest --preset "$preset" --timeout "$test_timeout" "$@" 2>&1 | tee "$log"
  rc=${PIPESTATUS[0]}
  count_ctest_results "$log"
  rm -f "$log"
  return "$rc"
}

# ---------------------------------------------------------------- steps ----

step_setup() { bash scripts/setup.sh; }

# Configure, build and test one preset's tree.
preset_step() {
  local preset=$1 log
  shift
  log=$(mktemp)
  if ! cmake --preset "$preset" >"$log" 2>&1; then
    cat "$log"
    rm -f "$log"
    return 1
  fi
  rm -f "$log"
  cmake --build --preset "$preset" -j "$jobs" || return 1
  run_ctest "$preset" "$@"
}

step_native() { preset_step native; }
step_native_asan() { preset_step native-asan; }

# The shipped 32-bit launcher and the checks of this tree. Where 32-bit
# programs cannot run, its Wine tests report themselves skipped.
step_win32() {
  wine32_runs || step_note="32-bit Wine cannot run here: its Wine tests skip, win64 runs them"
  native_checker || return 1
  preset_step win32
}

# The differential test compares the native checker too, so it is built
# before the tree whose Wine tests run.
native_checker() {
  cmake --preset native >/dev/null && cmake --build build/native -j "$jobs" --target autorun-check
}

# The same sources as a 64-bit program: the Wine tests where 32-bit Wine
# cannot run.
step_win64() {
  if wine32_runs; then
    step_note="32-bit Wine runs here: the Wine tests ran in the win32 tree"
    return $SKIPPED_STEP
  fi
  preset_step win64 || return 1
  # The builder test's preview needs the 64-bit launcher, built only now.
  run_ctest native -R '^check\.medium_builder$'
}

# A script that tests something on its own; it counts as one test unless it
# ends with its own "N passed, N failed" line.
script_step() {
  local script=$1 log rc line
  shift
  log=$(mktemp)
  bash "$script" "$@" 2>&1 | tee "$log"
  rc=${PIPESTATUS[0]}
  line=$(grep -E '^([A-Za-z]+: )?[0-9]+ passed, [0-9]+ failed' "$log" | tail -n 1)
  rm -f "$log"
  if [[ -n $line ]]; then
    step_passed=$(sed -E 's/^([A-Za-z]+: )?([0-9]+) passed.*/\2/' <<<"$line")
    step_failed=$(sed -E 's/.* ([0-9]+) failed.*/\1/' <<<"$line")
  elif [[ $rc -eq 0 ]]; then
    step_passed=1
  else
    step_failed=1
  fi
  return "$rc"
}

# A minute per fuzz target unless ORVEX_FUZZ_SECONDS says otherwise.
step_fuzz() { script_step tests/fuzz/run.sh "${ORVEX_FUZZ_SECONDS:-60}"; }

# ----------------------------------------------------------------- runner ---

run_step() {
  local name=$1 function=$2 started=$SECONDS rc outcome
  step_passed=0 step_failed=0 step_skipped=0 step_note=""
  echo
  echo "==== step $name"
  "$function"
  rc=$?
  if [[ $rc -eq $SKIPPED_STEP ]]; then
    outcome=skipped
    echo "==== step $name skipped: $step_note"
  elif [[ $rc -eq 0 ]]; then
    outcome=passed
  else
    outcome=FAILED
    failed_steps=$((failed_steps + 1))
    # A step that failed before any test could (a build) counts as one failure.
    [[ $step_failed -eq 0 ]] && step_failed=1
  fi
  total_passed=$((total_passed + step_passed))
  total_failed=$((total_failed + step_failed))
  total_skipped=$((total_skipped + step_skipped))
  local line
  line=$(printf '%-12s %-8s %4d passed %4d failed %4d skipped %5d s' "$name" "$outcome" \
    "$step_passed" "$step_failed" "$step_skipped" $((SECONDS - started)))
  [[ -n $step_note ]] && line+="  ($step_note)"
  summary+=("$line")
  return $((rc == SKIPPED_STEP ? 0 : rc))
}

finish() {
  echo
  echo "==== summary ($((SECONDS)) s)"
  printf '%s\n' "${summary[@]}"
  echo "$total_passed passed, $total_failed failed, $total_skipped skipped"
  [[ $failed_steps -eq 0 ]]
  exit $?
}

# The differential test of the checker (wine.differential) tries other media
# each day; the seed in the log makes a failing run again.
export ORVEX_DIFF_SEED=${ORVEX_DIFF_SEED:-$(date -u +%Y%m%d)}
echo "wine.differential: seed $ORVEX_DIFF_SEED, ${ORVEX_DIFF_COUNT:-100} media"

# Nothing else can run without the tools.
run_step setup step_setup || finish

# The shipped launcher first: the native tree's medium builder test packs it.
run_step win32 step_win32
run_step native step_native
run_step native-asan step_native_asan
run_step win64 step_win64
run_step fuzz step_fuzz
finish
