#!/bin/sh
# Makes tools/check/CaseTables.cpp again from the system's own letter case:
# builds case-tables.exe in a Windows tree (default build/win64) and runs it
# under Wine. The Wine test CheckerAgreementLetterCase fails while the
# checked-in tables differ from the system's.
#
#   scripts/make-case-tables.sh [BUILD_DIR]
set -eu
cd "$(dirname "$0")/.."
# shellcheck source=scripts/wine-env.sh
. scripts/wine-env.sh
build=${1:-build/win64}
table=tools/check/CaseTables.cpp
loader=/usr/lib/wine/wine64
prefix=$(pwd)/$build/wineprefix
cmake --build "$build" --target case-tables -j2
wine_make_prefix "$prefix" "$loader"
wine_environment "$prefix"
"$loader" "$build/case-tables.exe" >"$table.new"
clang-format -i "$table.new" --assume-filename="$table"
mv "$table.new" "$table"
echo "wrote $table"
