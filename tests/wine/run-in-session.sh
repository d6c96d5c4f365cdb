#!/bin/sh
# Runs a Windows program of the test build in the Wine session that the
# CTest fixture started (wine-session.sh): display, prefix and loader come
# from the session's file. Exit code 77 means "skipped".
#
#   run-in-session.sh SESSION_DIR PROGRAM.exe [ARGUMENTS...]
set -u
# shellcheck source=scripts/wine-env.sh
. "$(dirname "$0")/../../scripts/wine-env.sh"
session=${1:?session folder missing}
shift
if ! wine_join_session "$session"; then
  echo "No Wine session in $session: run these tests through ctest (fixture wine_session)." >&2
  exit 1
fi
# A display language of its own for a group (LC_ALL gives Wine's), instead
# of the session's fixed locale.
if [ -n "${ORVEX_LC_ALL:-}" ]; then export LC_ALL="$ORVEX_LC_ALL"; fi
# Wine leaves helper processes (desktop, services) running after the
# program; they must not hold the caller's output pipe open, or CTest would
# wait for them. So the output goes through a file.
log=$(mktemp "$session/output.XXXXXX")
"$WINE_LOADER" "$@" </dev/null >"$log" 2>&1
status=$?
cat "$log"
rm -f "$log"
exit $status
