#!/bin/sh
# One Wine session for the Wine tests of a build tree: an Xvfb on a free
# display, the tree's Wine prefix (made once, then reused) with a persistent
# wineserver, and drive R: mapped to a folder of the session. The CTest
# fixture runs "start" before the tests and "stop" after them; the tests read
# the session from session.env through run-in-session.sh.
#
#   wine-session.sh start SESSION_DIR PREFIX_DIR WINE_LOADER
#   wine-session.sh stop SESSION_DIR
set -u
# shellcheck source=scripts/wine-env.sh
. "$(dirname "$0")/../../scripts/wine-env.sh"

command=${1:-}
session=${2:-}
if [ -z "$command" ] || [ -z "$session" ]; then
  echo "usage: $0 start SESSION_DIR PREFIX_DIR WINE_LOADER | stop SESSION_DIR" >&2
  exit 2
fi

stop_session() {
  [ -f "$session/session.env" ] || return 0
  # shellcheck disable=SC1091
  . "$session/session.env"
  [ "${WINE_SKIP:-0}" = 1 ] || wine_stop "$WINEPREFIX" "${XVFB_PID:-}"
  rm -f "$session/session.env"
}

case "$command" in
start)
  prefix=${3:?prefix folder missing}
  loader=${4:?Wine loader missing}
  mkdir -p "$session"
  stop_session
  if ! wine_runs "$loader"; then
    {
      echo "WINE_SKIP=1"
      echo "WINE_SKIP_REASON='$loader does not run here (no 32-bit support?): Wine tests of this tree skipped'"
    } >"$session/session.env"
    echo "$loader does not run here: the Wine tests of this tree will be skipped."
    exit 0
  fi
  wine_start_xvfb "$session/xvfb.log" || exit 1
  wine_environment "$prefix"
  # A server left over from an interrupted run of this tree knows a dead
  # display; it goes first.
  "$wine_server" -k >/dev/null 2>&1
  wine_make_prefix "$prefix" "$loader" || { kill "$wine_xvfb_pid"; exit 1; }
  # Kept alive for the whole run, so that each test group starts quickly.
  # (Its output must not hold CTest's pipe open.)
  "$wine_server" -p </dev/null >>"$session/wineserver.log" 2>&1 ||
    { kill "$wine_xvfb_pid"; echo "wineserver did not start" >&2; exit 1; }
  mkdir -p "$session/drive-r"
  ln -sfn "$session/drive-r" "$prefix/dosdevices/r:"
  {
    echo "DISPLAY=$DISPLAY"
    echo "WINEPREFIX='$prefix'"
    echo "WINE_LOADER='$loader'"
    echo "XVFB_PID=$wine_xvfb_pid"
    echo "ORVEX_TEST_DRIVE=R"
  } >"$session/session.env"
  echo "Wine session: DISPLAY=$DISPLAY WINEPREFIX=$prefix loader=$loader"
  ;;
stop)
  stop_session
  ;;
*)
  echo "unknown command $command" >&2
  exit 2
  ;;
esac
