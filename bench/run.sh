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

# The shipped launcher is 32-bit; where 32-bit programs cannot run, the
# 64-bit build of the same sources stands in for it.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  preset=win32 loader=/usr/lib/wine/wine
else
  preset=win64 loader=/usr/lib/wine/wine64
fi
build=$root/build/bench-$preset
echo "Building the $preset tree in $build" >&2
cmake --preset "$preset" -B "$build" >/dev/null
cmake --build "$build" -j "$(nproc)" --target autorun minimal_window bench_driver >&2

export WINEPREFIX=$root/build/bench-wineprefix WINEDEBUG=-all
if [[ ! -f $WINEPREFIX/system.reg ]]; then
  echo "Creating the Wine prefix $WINEPREFIX" >&2
  "$loader" wineboot -i >/dev/null 2>&1
  # Without a window manager Wine otherwise waits whenever a window hides.
  "$loader" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  "$loader" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
    >/dev/null 2>&1
  # The prefix was made without a display; its desktop process must be gone
  # before the runs, or their windows find no display driver.
  "${loader%/*}/wineserver" -w
fi

display=70
while [[ -e /tmp/.X$display-lock || -e /tmp/.X11-unix/X$display ]]; do
  display=$((display + 1))
done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
work=$(mktemp -d)
cleanup() {
  "${loader%/*}/wineserver" -k >/dev/null 2>&1 || true
  kill "$xvfb" 2>/dev/null || true
  wait "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
for _ in $(seq 100); do
  [[ -e /tmp/.X11-unix/X$display ]] && break
  sleep 0.1
done
export DISPLAY=:$display

windows_path() { local path=$1; echo "Z:${path//\//\\}"; }

echo "Running $runs rounds on :$display" >&2
table=$(timeout 900 "$loader" "$build/bench/bench_driver.exe" \
  "$(windows_path "$build/autorun.exe")" "$(windows_path "$build/bench/minimal_window.exe")" \
  "$(windows_path "$work")" "$runs")
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
