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
# when it runs; without it the tree's prefix is made here.
set -u
# shellcheck source=scripts/wine-env.sh
. "$(dirname "$0")/../../scripts/wine-env.sh"
session=$1 prefix=$2 loader=$3 wine_dumper=$4 native_dumper=$5 corpus=$6 known=$7 work=$8

if wine_join_session "$session"; then
  prefix=$WINEPREFIX loader=$WINE_LOADER
else
  if ! wine_runs "$loader"; then
    echo "$loader does not run here (no 32-bit support?): skipped"
    exit 77
  fi
  wine_make_prefix "$prefix" "$loader" || exit 1
  wine_environment "$prefix"
fi

rm -rf "$work"
mkdir -p "$work"
# Wine's ANSI code page is Windows-1252 in the fixed locale.
if ! "$loader" "$wine_dumper" \
  "$(wine_windows_path "$corpus")" "$(wine_windows_path "$known")" \
  "$(wine_windows_path "$work/copies")" \
  >"$work/wine.txt" 2>"$work/wine.err"; then
  echo "The Wine dumper failed:" >&2
  cat "$work/wine.err" >&2
  exit 1
fi
"$native_dumper" "$corpus" "$known" >"$work/reader.txt" || exit 1
"$native_dumper" "$corpus" "$known" "$work/wine.txt"
