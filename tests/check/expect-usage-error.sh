#!/bin/sh
# Runs autorun-check with arguments that are wrong; passes when it ends with
# status 2, prints its usage on standard error and nothing on standard output.
#   expect-usage-error.sh CHECKER [ARGUMENTS...]
set -u
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
"$@" >"$out" 2>"$err"
rc=$?
failed=0
[ $rc = 2 ] || { echo "FAIL: exit status $rc, expected 2"; failed=1; }
grep -q '^usage: autorun-check' "$err" || { echo "FAIL: no usage on standard error"; failed=1; }
[ -s "$out" ] && { echo "FAIL: standard output is not empty:"; cat "$out"; failed=1; }
cat "$err"
exit $failed
