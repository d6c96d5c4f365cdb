#!/bin/sh
# The differential test of the checker: random media from make-media.py, the
# native checker's prediction of each, then the Wine driver compares them and
# the Windows checker's with the real launcher (CheckerDifferential).
#
#   run-differential.sh SESSION_DIR DRIVER RECORDER NATIVE_CHECKER WORK_DIR
#
# ORVEX_DIFF_SEED (default: today's date, UTC) and ORVEX_DIFF_COUNT (default
# 100) choose the media; the same seed and count give the same media again.
# A native checker that is not built yet is left out (only the Windows build
# is compared then).
set -u
here=$(dirname "$0")
session=$1 driver=$2 recorder=$3 native=$4 work=$5
seed=${ORVEX_DIFF_SEED:-$(date -u +%Y%m%d)}
count=${ORVEX_DIFF_COUNT:-100}
echo "differential: seed $seed, $count media; again with" \
  "ORVEX_DIFF_SEED=$seed ORVEX_DIFF_COUNT=$count ctest -R wine.differential"

if grep -q '^WINE_SKIP=1' "$session/session.env" 2>/dev/null; then
  echo "This tree's programs cannot run under Wine here: skipped"
  exit 77
fi
rm -rf "$work"
mkdir -p "$work/native"
python3 "$here/make-media.py" "$seed" "$count" "$recorder" "$work" || exit 1
if [ -x "$native" ]; then
  for medium in "$work"/media/*; do
    "$native" --json "$medium" >"$work/native/${medium##*/}.json"
  done
else
  echo "no native checker at $native (build the native tree first): the Windows build only"
fi
ORVEX_DIFF_MEDIA=$work ORVEX_DIFF_KNOWN=$here/known-differences.txt \
  exec sh "$here/run-in-session.sh" "$session" "$driver" \
  --gtest_filter='CheckerDifferential*' --gtest_color=no
