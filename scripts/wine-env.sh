# shellcheck shell=sh disable=SC2034  # (variables set for the callers)
# The project's way of running its Windows programs under Wine, sourced by
# the demo, the benchmark and the test scripts (POSIX sh, also fine in bash
# with "set -euo pipefail"):
#
#   wine_runs LOADER            true when this loader runs here
#   wine_choose_loader          sets wine_preset and wine_loader
#   wine_environment PREFIX     exports the settings every Wine run uses
#   wine_make_prefix PREFIX LOADER
#                               makes the prefix once, with our settings
#   wine_start_xvfb LOG         a private display: sets DISPLAY, wine_xvfb_pid
#   wine_stop PREFIX [XVFB_PID] ends the prefix's programs and that Xvfb
#   wine_join_session DIR       the environment of a Wine test session
#   wine_windows_path PATH      prints PATH as Wine's programs see it

wine_server=/usr/lib/wine/wineserver

# Z: is the Unix root.
wine_windows_path() {
  printf 'Z:%s\n' "$1" | tr / '\\'
}

wine_runs() {
  "$1" --version >/dev/null 2>&1
}

# The launcher ships as a 32-bit program. Where the kernel cannot run 32-bit
# programs, the 64-bit build of the same sources stands in for it.
wine_choose_loader() {
  if wine_runs /usr/lib/wine/wine; then
    wine_preset=win32 wine_loader=/usr/lib/wine/wine
  else
    wine_preset=win64 wine_loader=/usr/lib/wine/wine64
  fi
}

# Wine names Linux files in the locale's character set (in the C locale of a
# bare machine, non-ASCII names could not be made) and takes its ANSI code
# page from it: one fixed locale makes every run alike.
wine_environment() {
  export WINEPREFIX="$1" WINEDEBUG=-all LC_ALL=C.UTF-8
}

# Made once under a lock (callers may race); a prefix left half-made by an
# interrupted run is made anew. wineboot's output goes to PREFIX.log.
wine_make_prefix() {
  [ -f "$1/.orvex-configured" ] && return 0
  case $1 in
  /*/*) ;;
  *) echo "refusing the Wine prefix path $1" >&2; return 1 ;;
  esac
  mkdir -p "${1%/*}"
  (
    wine_environment "$1"
    flock -w 300 9 || { echo "cannot lock $1.lock" >&2; exit 1; }
    [ -f "$1/.orvex-configured" ] && exit 0
    echo "Making the Wine prefix $1 (once, about 20 s)..."
    [ -f "$1/system.reg" ] || rm -rf "$1"
    # No Mono or Gecko installer dialogs.
    if WINEDLLOVERRIDES="mscoree=;mshtml=" "$2" wineboot -i </dev/null >"$1.log" 2>&1 &&
      # Wine draws the title bar's buttons with Marlett but looks for fonts
      # only in C:\windows\Fonts and fontconfig's folders, not where
      # fonts-wine puts them: without this the close box shows an "r".
      ln -sf /usr/share/wine/fonts/marlett.ttf "$1/drive_c/windows/Fonts/" &&
      # Without a window manager Wine waits about 2 s whenever a window hides.
      "$2" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >>"$1.log" 2>&1 &&
      # A crash ends the program at once instead of waiting behind a dialog.
      "$2" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
        </dev/null >>"$1.log" 2>&1 &&
      # Made without a display, perhaps: its desktop process must be gone
      # before programs run.
      "$wine_server" -w </dev/null >/dev/null 2>&1; then
      touch "$1/.orvex-configured"
    else
      "$wine_server" -k >/dev/null 2>&1
      echo "could not make the Wine prefix $1; see $1.log" >&2
      exit 1
    fi
  ) 9>"$1.lock"
}

# Takes the first display from :90 on that nobody else holds (other runs and
# CI may have theirs). Ours only when the lock file names our process:
# another start may have raced us to the same number.
wine_start_xvfb() {
  wine_xvfb_pid=
  _display=90
  while [ $_display -le 199 ]; do
    if [ ! -e "/tmp/.X$_display-lock" ] && [ ! -e "/tmp/.X11-unix/X$_display" ]; then
      Xvfb ":$_display" -screen 0 1024x768x24 -nolisten tcp </dev/null >"$1" 2>&1 &
      _pid=$!
      _tries=0
      while [ $_tries -lt 200 ]; do
        if [ -S "/tmp/.X11-unix/X$_display" ] && [ -f "/tmp/.X$_display-lock" ] &&
          [ "$(tr -d ' \n' <"/tmp/.X$_display-lock")" = "$_pid" ]; then
          export DISPLAY=":$_display"
          wine_xvfb_pid=$_pid
          return 0
        fi
        kill -0 "$_pid" 2>/dev/null || break
        sleep 0.05
        _tries=$((_tries + 1))
      done
      kill "$_pid" 2>/dev/null || true
    fi
    _display=$((_display + 1))
  done
  echo "no free X display from :90 to :199" >&2
  return 1
}

wine_stop() {
  WINEPREFIX=$1 "$wine_server" -k >/dev/null 2>&1 || true
  if [ -n "${2:-}" ] && kill "$2" 2>/dev/null; then
    _tries=0
    while kill -0 "$2" 2>/dev/null && [ $_tries -lt 100 ]; do
      sleep 0.05
      _tries=$((_tries + 1))
    done
  fi
  return 0
}

# The session tests/wine/wine-session.sh started in DIR: false when there is
# none; ends the caller with 77 ("skipped") when its Wine cannot run here.
wine_join_session() {
  [ -f "$1/session.env" ] || return 1
  # shellcheck disable=SC1091
  . "$1/session.env"
  if [ "${WINE_SKIP:-0}" = 1 ]; then
    echo "$WINE_SKIP_REASON"
    exit 77
  fi
  export DISPLAY ORVEX_TEST_DRIVE
  wine_environment "$WINEPREFIX"
}
