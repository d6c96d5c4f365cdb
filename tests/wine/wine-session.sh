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

command=${1:-}
session=${2:-}
if [ -z "$command" ] || [ -z "$session" ]; then
  echo "usage: $0 start SESSION_DIR PREFIX_DIR WINE_LOADER | stop SESSION_DIR" >&2
  exit 2
fi
wineserver=/usr/lib/wine/wineserver
first_display=90
last_display=199

stop_session() {
  [ -f "$session/session.env" ] || return 0
  # shellcheck disable=SC1091
  . "$session/session.env"
  if [ "${WINE_SKIP:-0}" != 1 ]; then
    WINEPREFIX=$WINEPREFIX "$wineserver" -k >/dev/null 2>&1
    if [ -n "${XVFB_PID:-}" ] && kill -0 "$XVFB_PID" 2>/dev/null; then
      kill "$XVFB_PID"
      i=0
      while kill -0 "$XVFB_PID" 2>/dev/null && [ $i -lt 100 ]; do sleep 0.05; i=$((i + 1)); done
    fi
  fi
  rm -f "$session/session.env"
}

# Starts Xvfb on the first display from first_display on that nobody else
# holds (other runs and CI may have theirs); prints "display pid".
start_xvfb() {
  n=$first_display
  while [ $n -le $last_display ]; do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
      Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp </dev/null >"$session/xvfb.log" 2>&1 &
      pid=$!
      i=0
      while [ $i -lt 200 ]; do
        # Ours only when the lock file names our process: another start
        # may have raced us to the same number.
        if [ -S "/tmp/.X11-unix/X$n" ] && [ -f "/tmp/.X$n-lock" ] &&
          [ "$(tr -d ' \n' <"/tmp/.X$n-lock")" = "$pid" ]; then
          echo "$n $pid"
          return 0
        fi
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
        i=$((i + 1))
      done
      kill "$pid" 2>/dev/null
    fi
    n=$((n + 1))
  done
  return 1
}

case "$command" in
start)
  prefix=${3:?prefix folder missing}
  loader=${4:?Wine loader missing}
  mkdir -p "$session"
  stop_session
  if ! "$loader" --version >/dev/null 2>&1; then
    {
      echo "WINE_SKIP=1"
      echo "WINE_SKIP_REASON='$loader does not run here (no 32-bit support?): Wine tests of this tree skipped'"
    } >"$session/session.env"
    echo "$loader does not run here: the Wine tests of this tree will be skipped."
    exit 0
  fi
  started=$(start_xvfb) || { echo "no free X display from :$first_display to :$last_display" >&2; exit 1; }
  display=${started% *}
  xvfb_pid=${started#* }
  export DISPLAY=":$display" WINEPREFIX="$prefix" WINEDEBUG=-all
  # Wine names Linux files in the locale's character set; in the C locale
  # of a bare machine the tests' Japanese folder names could not be made.
  export LC_ALL=C.UTF-8
  # A server left over from an interrupted run of this tree knows a dead
  # display; it goes first.
  "$wineserver" -k >/dev/null 2>&1
  if [ ! -f "$prefix/.orvex-configured" ]; then
    echo "Making the Wine prefix $prefix (once per build tree)..."
    # A prefix left half-made by an interrupted start is made anew.
    case "$prefix" in
    /*/*) [ -f "$prefix/system.reg" ] || rm -rf "$prefix" ;;
    *) echo "refusing the prefix path $prefix" >&2; kill "$xvfb_pid"; exit 1 ;;
    esac
    # No Mono or Gecko installer dialogs.
    WINEDLLOVERRIDES="mscoree=;mshtml=" "$loader" wineboot -i </dev/null >"$session/wineboot.log" 2>&1
    # Without a window manager Wine waits ~2 s whenever a window hides; a
    # crash ends the program at once instead of waiting behind a dialog.
    if "$loader" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
      </dev/null >/dev/null 2>&1 &&
      "$loader" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
        </dev/null >/dev/null 2>&1; then
      "$wineserver" -w </dev/null >/dev/null 2>&1
      touch "$prefix/.orvex-configured"
    else
      "$wineserver" -k
      kill "$xvfb_pid"
      echo "could not make the Wine prefix $prefix; see $session/wineboot.log" >&2
      exit 1
    fi
  fi
  # Kept alive for the whole run, so that each test group starts quickly.
  # (Its output must not hold CTest's pipe open.)
  "$wineserver" -p </dev/null >>"$session/wineserver.log" 2>&1 ||
    { kill "$xvfb_pid"; echo "wineserver did not start" >&2; exit 1; }
  mkdir -p "$session/drive-r"
  ln -sfn "$session/drive-r" "$prefix/dosdevices/r:"
  {
    echo "DISPLAY=:$display"
    echo "WINEPREFIX='$prefix'"
    echo "WINE_LOADER='$loader'"
    echo "XVFB_PID=$xvfb_pid"
    echo "ORVEX_TEST_DRIVE=R"
  } >"$session/session.env"
  echo "Wine session: DISPLAY=:$display WINEPREFIX=$prefix loader=$loader"
  ;;
stop)
  stop_session
  ;;
*)
  echo "unknown command $command" >&2
  exit 2
  ;;
esac
