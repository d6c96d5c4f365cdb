# shellcheck shell=bash disable=SC2154  # (work, exe, fail, progress: autorun-medium's; wine_*: scripts/wine-env.sh's)
# autorun-medium's preview: runs the launcher from the staged medium under
# Wine on a private Xvfb, as autorun starts it (the medium is drive D:, its
# root the current directory), for the profile and each language profile
# at 96 and 144 DPI, and leaves one PNG per run, contact-sheet.png and
# preview.json. Sourced by autorun-medium after scripts/wine-env.sh.

preview_xvfb_pid=
preview_prefix=
preview_probe=
preview_job=

# The Debian packages of the tools it needs that are missing.
preview_missing_packages() {
  local missing=()
  [[ -x /usr/lib/wine/wine64 || -x /usr/lib/wine/wine ]] || missing+=(wine wine64)
  command -v Xvfb >/dev/null || missing+=(xvfb)
  command -v xdotool >/dev/null || missing+=(xdotool)
  command -v xwd >/dev/null || missing+=(x11-apps)
  command -v montage >/dev/null || missing+=(imagemagick)
  echo "${missing[*]}"
}

preview_stop() {
  if [[ -n $preview_job ]]; then kill "$preview_job" 2>/dev/null || true; fi
  if [[ -n $preview_prefix ]]; then
    wine_stop "$preview_prefix" "$preview_xvfb_pid"
    rm -f "$preview_prefix/dosdevices/d:"
    preview_prefix='' preview_xvfb_pid=''
  fi
}

# The machine a program is built for: 014c (32-bit x86) or 8664 (x64).
pe_machine() {
  local header
  header=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
  od -An -tx2 -j$((header + 4)) -N2 "$1" | tr -d ' '
}

# The language of NAME.TAG.ini, for /lang=TAG.
preview_profiles() {  # medium, launcher name: "profile tag" lines, the profile first
  echo "$2.ini -"
  find "$1" -maxdepth 1 -type f -iname "$2.*.ini" -printf '%f\n' | LC_ALL=C sort |
    while read -r file; do
      tag=${file:${#2}+1}
      tag=${tag%.*}
      [[ $tag =~ ^[A-Za-z]{2,3}(-[A-Za-z0-9]{2,8})*$ ]] && echo "$file $tag"
    done
}

json_text() {
  local text=${1//\\/\\\\}
  text=${text//\"/\\\"}
  printf '"%s"' "$text"
}

# One run: a screenshot to PNG and one JSON object on standard output.
preview_run() {  # medium, launcher name, profile file, tag or -, dpi, png
  local medium=$1 exe=$2 profile=$3 tag=$4 dpi=$5 png=$6
  local arguments=() status_file=$work/preview-status window='' shown title shown_controls=
  [[ $tag != - ]] && arguments=("/lang=$tag")
  rm -f "$status_file"
  (
    cd "$medium" && {
      "$wine_loader" "D:\\$exe.exe" "${arguments[@]}" </dev/null >/dev/null 2>&1
      echo $? >"$status_file"
    }
  ) &
  local runner=$!
  for _ in $(seq 200); do
    window=$(xdotool search --onlyvisible --classname "^$exe\\.exe\$" 2>/dev/null | head -n 1 || true)
    [[ -n $window || -e $status_file ]] && break
    sleep 0.1
  done
  if [[ -n $window ]]; then
    # Its buttons or message text, read from inside Wine meanwhile: Wine
    # takes longer to start the reader than the window takes to paint.
    local probe=
    if [[ -n $preview_probe ]]; then
      "$wine_loader" "$preview_probe" "$exe.exe" </dev/null >"$work/preview-probe" 2>/dev/null &
      probe=$!
    fi
    sleep 0.7  # let it paint
    title=$(xdotool getwindowname "$window")
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xwd -root -silent | convert xwd:- -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$png"
    if [[ -n $probe ]] && wait "$probe"; then
      shown_controls=", $(head -n 1 "$work/preview-probe")"
    fi
    # Esc closes the launcher's window and its own message boxes.
    xdotool windowfocus "$window" key Escape 2>/dev/null || true
    for _ in $(seq 40); do
      [[ -e $status_file ]] && break
      sleep 0.1
    done
  fi
  [[ -e $status_file ]] || WINEPREFIX=$preview_prefix "$wine_server" -k >/dev/null 2>&1 || true
  wait "$runner" 2>/dev/null || true
  # The launcher's own message boxes are titled "OrvexAutorun".
  if [[ -z $window ]]; then
    shown='"shows": "nothing"'
  elif [[ $title == OrvexAutorun ]]; then
    shown="\"shows\": \"message box\", \"title\": $(json_text "$title"), \"width\": $WIDTH, \"height\": $HEIGHT$shown_controls"
  else
    shown="\"shows\": \"window\", \"title\": $(json_text "$title"), \"width\": $WIDTH, \"height\": $HEIGHT$shown_controls"
  fi
  printf '    {"profile": %s, "language": %s, "dpi": %s, "png": %s, %s, "exitStatus": %s}' \
    "$(json_text "$profile")" "$([[ $tag == - ]] && echo null || json_text "$tag")" "$dpi" \
    "$([[ -n $window ]] && json_text "${png##*/}" || echo null)" "$shown" \
    "$(cat "$status_file" 2>/dev/null || echo null)"
}

run_preview() {  # staged medium, output folder
  local medium=$1 out=$2 runs=() labels=() line profile tag dpi png count=0 total start
  mkdir -p "$out"
  wine_choose_loader
  if [[ $wine_preset == win64 && $(pe_machine "$medium/$exe.exe") == 014c ]]; then
    fail "this machine cannot run 32-bit programs, so Wine cannot start the 32-bit $exe.exe; preview a 64-bit build of the launcher (--launcher build/win64/autorun.exe)"
  fi
  # The reader of the window's controls, built beside the launcher.
  preview_probe=$(dirname "$launcher")/window-probe.exe
  if [[ ! -f $preview_probe ]]; then
    echo "$program: note: no window-probe.exe beside $launcher, so preview.json names no buttons or message text" >&2
    preview_probe=
  fi
  preview_prefix=${ORVEX_PREVIEW_PREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/orvex-autorun/wineprefix}
  wine_environment "$preview_prefix"
  wine_start_xvfb "$work/xvfb.log"
  preview_xvfb_pid=$wine_xvfb_pid
  # In the background: an interruption then stops at once, not after wineboot.
  wine_make_prefix "$preview_prefix" "$wine_loader" >&2 &
  preview_job=$!
  wait "$preview_job"
  preview_job=
  # One wineserver for all runs, instead of one started and ended per run.
  "$wine_server" -p </dev/null >/dev/null 2>&1
  ln -sfn "$medium" "$preview_prefix/dosdevices/d:"
  mapfile -t profiles < <(preview_profiles "$medium" "$exe")
  total=$((${#profiles[@]} * 2))
  start=$(date +%s.%N)
  for dpi in 96 144; do
    # In the background, so that an interruption need not wait for it.
    "$wine_loader" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
      </dev/null >/dev/null 2>&1 &
    wait $! || true
    for line in "${profiles[@]}"; do
      read -r profile tag <<<"$line"
      count=$((count + 1))
      progress "preview $count/$total: $profile at $dpi DPI"
      png=$out/${profile%.ini}-${dpi}dpi.png
      rm -f "$png"
      runs+=("$(preview_run "$medium" "$exe" "$profile" "$tag" "$dpi" "$png")")
      [[ -f $png ]] && labels+=(-label "$profile, $dpi DPI" "$png")
    done
  done
  progress_done
  preview_stop
  {
    echo '{"runs": ['
    local IFS=$'\n'
    sed '$!s/$/,/' <<<"${runs[*]}"
    echo ']}'
  } >"$out/preview.json"
  if [[ ${#labels[@]} -gt 0 ]]; then
    montage "${labels[@]}" -tile 2x -geometry +12+12 -background white -font DejaVu-Sans -pointsize 14 \
      "$out/contact-sheet.png"
  fi
  echo "$program: preview of $total run(s) in $out ($(awk -v s="$start" -v e="$(date +%s.%N)" \
    -v n="$total" 'BEGIN { printf "%.1f", (e - s) / n }') s each): contact-sheet.png, preview.json"
}
