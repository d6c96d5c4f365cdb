#!/bin/sh
# One test case of the checker: runs it on a test medium and compares its
# output and exit status with the expected ones (see cases.txt).
#
#   run-case.sh CHECKER CHECK_DIR NAME FOLDER STATUS [OPTIONS...]
#
# With ORVEX_UPDATE_EXPECTED=1 it writes the expected file instead: read
# every line of the new file before it is committed.
set -u
checker=$1
dir=$2
name=$3
folder=$4
status=$5
shift 5

expected=expected/$name.txt
for option in "$@"; do
  [ "$option" = --json ] && expected=expected/$name.json
done
cd "$dir" || exit 1
actual=$(mktemp)
trap 'rm -f "$actual"' EXIT
"$checker" "$@" "media/$folder" >"$actual" 2>&1
rc=$?

if [ "${ORVEX_UPDATE_EXPECTED:-0}" = 1 ]; then
  cp "$actual" "$expected"
  echo "wrote $expected (exit status $rc)"
fi
failed=0
if ! diff -u "$expected" "$actual"; then
  echo "FAIL: the output differs from $expected (- expected, + actual)"
  failed=1
fi
if [ "$rc" != "$status" ]; then
  echo "FAIL: exit status $rc, expected $status"
  failed=1
fi
[ $failed = 0 ] && echo "ok: $name"
exit $failed
