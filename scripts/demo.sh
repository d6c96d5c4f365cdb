#!/usr/bin/env bash
# Builds the launcher and the demo medium and starts the launcher from the
# medium under Wine, the way autorun starts it: the medium is drive D: and
# the current directory is its root.
#
# With a DISPLAY the launcher opens there and the script waits until it and
# what it started have ended. Without one it runs on a private Xvfb, and the
# script closes it after the screenshot. Either way the window is left in
# build/demo-screenshot.png.
#
#   scripts/demo.sh [--lang TAG]
#
# --lang TAG starts the launcher with /lang=TAG, as a user whose display
# language is TAG sees it (the medium has de, ja and ru language profiles);
# the screenshot is then build/demo-screenshot-TAG.png.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

language=
case ${1:-} in
  --lang)
    language=${2:?--lang needs a language name, like de or ja}
    [[ $language =~ ^[A-Za-z0-9-]+$ ]] || { echo "demo: --lang takes a name like de-CH" >&2; exit 2; }
    ;;
  "") ;;
  *) echo "usage: scripts/demo.sh [--lang TAG]" >&2; exit 2 ;;
esac

bash scripts/setup.sh
# shellcheck source=scripts/wine-env.sh
. scripts/wine-env.sh

wine_choose_loader
preset=$wine_preset wine=$wine_loader
if [[ $preset == win32 ]]; then
  echo "demo: running the 32-bit launcher (build/win32) under Wine"
else
  echo "demo: this kernel cannot run 32-bit programs; running the 64-bit build of the" \
    "launcher (build/win64) under wine64. The shipped autorun.exe is build/win32/autorun.exe."
fi

echo "demo: building ($preset)"
configure_log=build/demo-configure.log
mkdir -p build
if ! cmake --preset "$preset" >"$configure_log" 2>&1; then
  cat "$configure_log"
  exit 1
fi
cmake --build --preset "$preset" --target autorun demo_setup

medium=$root/build/demo-medium
rm -rf "$medium"
mkdir -p "$medium"
cp -a demo/medium/. "$medium/"
cp "build/$preset/autorun.exe" "build/$preset/demo/setup.exe" "$medium/"
echo "demo: medium assembled in build/demo-medium:" $(ls "$medium")

# The medium as it ships, as an image: the 32-bit launcher and setup.exe,
# checked by autorun-check and written by autorun-medium.
echo "demo: building the medium image build/demo-medium.iso"
for tree in native win32; do
  if ! cmake --preset "$tree" >"$configure_log" 2>&1; then
    cat "$configure_log"
    exit 1
  fi
done
cmake --build --preset native --target autorun-check
cmake --build --preset win32 --target autorun demo_setup
image_source=$root/build/demo-image-source
rm -rf "$image_source"
mkdir -p "$image_source"
cp -a demo/medium/. build/win32/demo/setup.exe "$image_source/"
tools/autorun-medium --label "Orvex Demo Suite" "$image_source" build/demo-medium.iso

wine_environment "$root/build/demo-wineprefix"
screenshot=$root/build/demo-screenshot${language:+-$language}.png
rm -f "$screenshot"

wine_xvfb_pid=
cleanup() {
  if [[ -n $wine_xvfb_pid ]]; then wine_stop "$WINEPREFIX" "$wine_xvfb_pid"; fi
}
trap cleanup EXIT

interactive=false
if [[ -n ${DISPLAY:-} ]] && xdotool getdisplaygeometry >/dev/null 2>&1; then
  interactive=true
  echo "demo: showing the launcher on display $DISPLAY"
else
  wine_start_xvfb /dev/null
  echo "demo: no display; running on Xvfb $DISPLAY"
fi

wine_make_prefix "$WINEPREFIX" "$wine"
ln -sfn "$medium" "$WINEPREFIX/dosdevices/d:"

arguments=()
[[ -n $language ]] && arguments=("/lang=$language")
printf 'demo: starting D:\\autorun.exe %sin D:\\\n' "${arguments[*]:+${arguments[*]} }"
status_file=$root/build/demo-exit-status
rm -f "$status_file"
(
  cd "$medium"
  set +e
  "$wine" 'D:\autorun.exe' "${arguments[@]}"
  echo $? >"$status_file"
) &
launcher_pid=$!

# The launcher's window, or a message box of its own (titled "OrvexAutorun").
window=
for _ in $(seq 180); do
  window=$(xdotool search --onlyvisible --classname '^autorun\.exe$' 2>/dev/null | head -n 1 || true)
  [[ -n $window ]] && break
  kill -0 "$launcher_pid" 2>/dev/null || break
  sleep 0.5
done
if [[ -z $window ]]; then
  echo "demo: the launcher showed no window" \
    "(exit status $(cat "$status_file" 2>/dev/null || echo unknown))" >&2
  exit 1
fi
sleep 1.5  # let it paint
title=$(xdotool getwindowname "$window")
eval "$(xdotool getwindowgeometry --shell "$window")"
xwd -root -silent | convert xwd:- -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$screenshot"
echo "demo: window \"$title\" (${WIDTH}x${HEIGHT}); screenshot in ${screenshot#"$root"/}"

if $interactive; then
  echo "demo: waiting until the launcher and what it started have ended"
  wait "$launcher_pid" || true
  "$wine_server" -w
else
  # Esc closes the launcher as its close box does.
  xdotool windowfocus "$window" 2>/dev/null || true
  xdotool key Escape
  for _ in $(seq 40); do
    [[ -e $status_file ]] && break
    sleep 0.25
  done
fi
status=$(cat "$status_file" 2>/dev/null || echo "none")
echo "demo: the launcher ended with exit status $status"
if [[ $title == OrvexAutorun ]]; then
  echo "demo: the launcher reported a problem; see the screenshot" >&2
  exit 1
fi
if [[ $status != 0 ]]; then
  exit 1
fi
