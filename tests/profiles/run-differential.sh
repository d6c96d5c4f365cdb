#!/bin/sh
# The differential test of the profile reader: the Wine dumper asks
# GetPrivateProfileStringW, the native dumper asks the portable reader, the
# native dumper compares. Exit 0 when every answer is alike (or a known Wine
# difference answered as Windows does), 1 on any difference, 77 when this
# tree's programs cannot run under Wine here (32-bit Wine missing).
#
#   run-differential.sh SESSION_DIR PREFIX_DIR WINE_LOADER WINE_DUMPER NATIVE_DUMPER
#                       CORPUS_DIR KNOWN_DIFFERENCES WORK_DIR
#
# The Wine session of tests/wine (its CTest fixture) gives prefix and loader
# when it runs; without it the tree's prefix is made here, under a lock.
set -u
session=$1 prefix=$2 loader=$3 wine_dumper=$4 native_dumper=$5 corpus=$6 known=$7 work=$8

if [ -f "$session/session.env" ]; then
  # shellcheck disable=SC1091
  . "$session/session.env"
  if [ "${WINE_SKIP:-0}" = 1 ]; then
    echo "$WINE_SKIP_REASON"
    exit 77
  fi
  prefix=$WINEPREFIX loader=$WINE_LOADER
else
  if ! "$loader" --version >/dev/null 2>&1; then
    echo "$loader does not run here (no 32-bit support?): skipped"
    exit 77
  fi
  mkdir -p "$(dirname "$prefix")"
  exec 9>"$prefix.lock"
  flock -w 300 9 || { echo "cannot lock $prefix.lock" >&2; exit 1; }
  if [ ! -f "$prefix/system.reg" ]; then
    echo "Making the Wine prefix $prefix..."
    WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml=" \
      "$loader" wineboot -i >/dev/null 2>&1
    WINEPREFIX=$prefix /usr/lib/wine/wineserver -w
  fi
fi

# Windows paths for the Wine program: Z: is the Unix root.
windows_path() { printf 'Z:%s' "$1" | tr / '\\'; }

rm -rf "$work"
mkdir -p "$work"
# A fixed locale, so that Wine's ANSI code page is Windows-1252.
if ! LC_ALL=C.UTF-8 WINEPREFIX=$prefix WINEDEBUG=-all "$loader" "$wine_dumper" \
  "$(windows_path "$corpus")" "$(windows_path "$known")" "$(windows_path "$work/copies")" \
  >"$work/wine.txt" 2>"$work/wine.err"; then
  echo "The Wine dumper failed:" >&2
  cat "$work/wine.err" >&2
  exit 1
fi
"$native_dumper" "$corpus" "$known" >"$work/reader.txt" || exit 1
"$native_dumper" "$corpus" "$known" "$work/wine.txt"
