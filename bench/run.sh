#!/usr/bin/env bash
# Start-up benchmark of autorun.exe under Wine (see bench/README.md).
#
#   bench/run.sh [runs] [--write]
#
# Builds the launcher, the minimal program and the driver in their own tree,
# then runs the driver once under Wine in a prefix and on an Xvfb display of
# its own. runs (default 15) is the number of runs of each program;
# --write also puts the table into bench/RESULTS.md.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

runs=15
write=no
for argument in "$@"; do
  case $argument in
    --write) write=yes ;;
    *[!0-9]* | '') echo "usage: bench/run.sh [runs] [--write]" >&2; exit 2 ;;
    *) runs=$argument ;;
  esac
done

# shellcheck source=scripts/wine-env.sh
. scripts/wine-env.sh
wine_choose_loader
preset=$wine_preset loader=$wine_loader
build=$root/build/bench-$preset
echo "Building the $preset tree in $build" >&2
cmake --preset "$preset" -B "$build" >/dev/null
cmake --build "$build" -j "$(nproc)" --target autorun minimal_window bench_driver >&2

wine_environment "$root/build/bench-wineprefix"
wine_make_prefix "$WINEPREFIX" "$loader" >&2
work=$(mktemp -d)
wine_xvfb_pid=
cleanup() {
  wine_stop "$WINEPREFIX" "$wine_xvfb_pid"
  rm -rf "$work"
}
trap cleanup EXIT
wine_start_xvfb /dev/null

echo "Running $runs rounds on $DISPLAY" >&2
table=$(timeout 900 "$loader" "$build/bench/bench_driver.exe" \
  "$(wine_windows_path "$build/autorun.exe")" \
  "$(wine_windows_path "$build/bench/minimal_window.exe")" "$(wine_windows_path "$work")" "$runs")
size=$(stat -c %s "$build/autorun.exe")
report="$table

Build: \`$preset\` preset (autorun.exe of this build: $size bytes), $(nproc) cores, $(date -u +%Y-%m-%d)."
echo "$report"

if [[ $write == yes ]]; then
  {
    echo "# Start-up benchmark: latest figures"
    echo
    echo "Written by \`bench/run.sh --write\`; see README.md in this folder for what is measured."
    echo
    echo "$report"
  } >bench/RESULTS.md
  echo "Written to bench/RESULTS.md" >&2
fi
