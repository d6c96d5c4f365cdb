#!/bin/sh
# Runs a Windows program of the test build in the Wine session that the
# CTest fixture started (wine-session.sh): display, prefix and loader come
# from the session's file. Exit code 77 means "skipped".
#
#   run-in-session.sh SESSION_DIR PROGRAM.exe [ARGUMENTS...]
set -u
session=${1:?session folder missing}
shift
if [ ! -f "$session/session.env" ]; then
  echo "No Wine session in $session: run these tests through ctest (fixture wine_session)." >&2
  exit 1
fi
# shellcheck disable=SC1091
. "$session/session.env"
if [ "${WINE_SKIP:-0}" = 1 ]; then
  echo "$WINE_SKIP_REASON"
  exit 77
fi
export DISPLAY WINEPREFIX ORVEX_TEST_DRIVE
export WINEDEBUG=-all
# Wine names Linux files in the locale's character set; in the C locale of a
# bare machine the tests' Japanese folder names could not be made.
export LC_ALL=C.UTF-8
# Wine leaves helper processes (desktop, services) running after the
# program; they must not hold the caller's output pipe open, or CTest would
# wait for them. So the output goes through a file.
log=$(mktemp "$session/output.XXXXXX")
"$WINE_LOADER" "$@" </dev/null >"$log" 2>&1
status=$?
cat "$log"
rm -f "$log"
exit $status
