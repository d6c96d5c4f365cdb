#!/usr/bin/env bash
# autorun-medium end to end: builds images from a sample medium and reads
# them back with xorriso; signs with a throwaway CA's certificate and
# timestamps from a time-stamping server of its own on localhost, and
# verifies both with osslsigncode; refuses a medium the checker finds an
# error in, or one the image cannot hold. Exit status 77: skipped (no
# launcher or tools).
#
# With a launcher this machine's Wine runs and the demo's setup.exe, it
# also previews the demo medium under Wine.
#
#   medium-builder-test.sh AUTORUN_MEDIUM AUTORUN_CHECK LAUNCHER_EXE MEDIA_DIR
#                          [PREVIEW_LAUNCHER_EXE DEMO_SETUP_EXE DEMO_MEDIUM WINE_PREFIX]
set -uo pipefail
builder=$1
checker=$2
launcher=$3
media=$4
preview_launcher=${5:-}

skip() {
  echo "SKIP: $*"
  exit 77
}
[[ -f $launcher ]] ||
  skip "no launcher at $launcher (build the win32 tree first: cmake --preset win32 && cmake --build --preset win32)"
for tool in xorriso osslsigncode openssl python3; do
  command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/setup.sh installs it)"
done

work=$(mktemp -d)
server=
trap '[[ -n $server ]] && kill "$server"; rm -rf "$work"' EXIT
failures=0
check() {  # description, then a command that must succeed
  local what=$1
  shift
  if "$@"; then
    echo "ok: $what"
  else
    echo "FAIL: $what"
    failures=$((failures + 1))
  fi
}

# The sample: a clean medium, a nested file with a long mixed-case name, and
# an autorun.inf of its own that the builder replaces.
source="$work/Sample Medium"
mkdir -p "$source/Docs"
cp -R "$media/clean-window/." "$source/"
echo "The manual." >"$source/Docs/Installation Manual.txt"
printf '[autorun]\r\nopen=other.exe\r\n' >"$source/AUTORUN.INF"

files_in() {  # image: the files it holds, Joliet names, one a line, sorted
  xorriso -rockridge off -joliet on -indev "$1" -find / -type f 2>/dev/null | tr -d "'" | sort
}
extract() {  # image, path in it, file to write
  xorriso -osirrox on -indev "$1" -extract "$2" "$3" >/dev/null 2>&1
}

# ---- unsigned image
image=$work/plain.iso
output=$("$builder" --label "ORVEX TEST" --launcher "$launcher" --check "$checker" "$source" "$image" 2>&1)
status=$?
echo "$output"
check "builds the image (exit status $status)" test "$status" = 0 -a -f "$image"
check "shows the checker's findings" grep -q 'Sample Medium/autorun.ini:[0-9]*: note: window mode' <<<"$output"

expected_files=$(printf '%s\n' /Docs/Installation\ Manual.txt /autorun.exe /autorun.inf /autorun.ini \
  /readme.txt /setup.exe /splash.gif | sort)
actual_files=$(files_in "$image")
check "the image holds the medium, the launcher and autorun.inf" test "$actual_files" = "$expected_files"
[[ $actual_files == "$expected_files" ]] || diff <(echo "$expected_files") <(echo "$actual_files")

check "the image has Joliet names" grep -q 'ISO offers.*Joliet' <(xorriso -indev "$image" -toc 2>&1)
check "the volume label is the one given" \
  grep -q "^Volume Id *: ORVEX TEST\$" <(xorriso -indev "$image" -pvd_info 2>/dev/null)

extract "$image" /autorun.inf "$work/autorun.inf"
printf '[autorun]\r\nopen=autorun.exe\r\nicon=autorun.exe\r\nlabel=ORVEX TEST\r\naction=%s\r\n' \
  "Orvex Test Medium" >"$work/expected.inf"
check "autorun.inf opens the launcher, with its icon, label and the title as action, in CRLF lines" \
  cmp "$work/expected.inf" "$work/autorun.inf"

extract "$image" /autorun.exe "$work/plain.exe"
check "the launcher is copied unchanged" cmp "$launcher" "$work/plain.exe"
check "an unsigned launcher does not verify" \
  bash -c '! osslsigncode verify -in "$1" >/dev/null 2>&1' _ "$work/plain.exe"

# ---- another launcher name, default label
image=$work/named.iso
"$builder" --exe Setup --launcher "$launcher" --check "$checker" "$media/missing-profile" "$image" \
  >"$work/named.log" 2>&1
status=$?
check "builds a medium whose launcher is Setup.exe (exit status $status)" test "$status" = 0
extract "$image" /autorun.inf "$work/named.inf"
printf '[autorun]\r\nopen=Setup.exe\r\nicon=Setup.exe\r\nlabel=missing-profile\r\naction=missing-profile\r\n' \
  >"$work/expected-named.inf"
check "without a title, autorun.inf names Setup.exe and the folder's name as label and action" \
  cmp "$work/expected-named.inf" "$work/named.inf"
check "Setup.exe is on the image" grep -qx /Setup.exe <(files_in "$image")

# ---- relative paths, from another current directory
mkdir -p "$work/elsewhere"
relative_checker=$(realpath --relative-to="$work/elsewhere" "$checker")
(cd "$work/elsewhere" && "$builder" --launcher "$launcher" --check "$relative_checker" \
  "../Sample Medium" ../relative.iso >/dev/null 2>&1)
status=$?
check "takes paths relative to the current directory (exit status $status)" \
  test "$status" = 0 -a -f "$work/relative.iso"

# ---- signed image: a throwaway CA, a code-signing certificate (also as
# PKCS#12) and a time-stamping authority answering on localhost
make_pki() (
  cd "$1" || exit 1
  openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Orvex Test Root" \
    -addext basicConstraints=critical,CA:true -addext keyUsage=critical,keyCertSign \
    -keyout ca-key.pem -out ca.pem &&
    for who in "cert:AutoRun Test Publisher:codeSigning" "tsa:Test Time Stamps:critical,timeStamping"; do
      IFS=: read -r file cn usage <<<"$who"
      openssl req -newkey rsa:2048 -nodes -subj "/CN=Orvex $cn" -keyout "$file-key.pem" |
        openssl x509 -req -CA ca.pem -CAkey ca-key.pem -days 2 -out "$file.pem" \
          -extfile <(echo "extendedKeyUsage=$usage") || exit 1
    done &&
    echo "test password" >password.txt &&
    openssl pkcs12 -export -in cert.pem -inkey cert-key.pem -passout file:password.txt -out signer.p12 &&
    printf '%s\n' '[tsa]' 'default_tsa = here' '[here]' "serial = $PWD/tsa-serial" \
      "signer_cert = $PWD/tsa.pem" "certs = $PWD/ca.pem" "signer_key = $PWD/tsa-key.pem" \
      'signer_digest = sha256' 'default_policy = 1.2.3.4.1' 'digests = sha256' \
      'ess_cert_id_alg = sha256' >tsa.cnf &&
    echo 01 >tsa-serial
) >/dev/null 2>&1
mkdir "$work/pki"
make_pki "$work/pki"
check "openssl made a throwaway CA, signer and time-stamping authority" test -s "$work/pki/tsa.cnf"
python3 "$(dirname "$0")/timestamp-server.py" "$work/pki/port" "$work/pki/tsa.cnf" &
server=$!
for _ in $(seq 100); do [[ -s $work/pki/port ]] && break; sleep 0.1; done
timestamp=http://127.0.0.1:$(cat "$work/pki/port")
verify() {  # file: osslsigncode's verdict on its signature and timestamp
  osslsigncode verify -CAfile "$work/pki/ca.pem" -TSA-CAfile "$work/pki/ca.pem" -in "$1" 2>&1
}

# Beside the launcher: a program signed by another company, an unsigned
# library, and a driver package's library.
signed_source=$work/signed-source
cp -R "$source" "$signed_source"
mkdir "$signed_source/redist" "$signed_source/driver"
osslsigncode sign -certs "$work/pki/cert.pem" -key "$work/pki/cert-key.pem" -h sha256 \
  -in "$launcher" -out "$signed_source/redist/vendor.exe" >/dev/null 2>&1
cp "$launcher" "$signed_source/helper.dll"
cp "$launcher" "$signed_source/driver/coinstaller.dll"
touch "$signed_source/driver/device.cat"

image=$work/signed.iso
output=$(ORVEX_TEST_PASSWORD="test password" "$builder" --launcher "$launcher" --check "$checker" \
  --pkcs12 "$work/pki/signer.p12" --password-env ORVEX_TEST_PASSWORD --timestamp "$timestamp" \
  --sign-all "$signed_source" "$image" 2>&1)
status=$?
echo "$output" | grep -v ': note: '
check "builds the signed image with --sign-all (exit status $status)" test "$status" = 0
check "the label is the window's title, cut to the 16 characters of a Joliet label" \
  grep -q '^Volume Id *: Orvex Test Mediu$' <(xorriso -indev "$image" -pvd_info 2>/dev/null)
check "says the third-party program is left alone" \
  grep -q 'left alone: redist/vendor.exe is signed already' <<<"$output"
check "says the driver package is left alone" \
  grep -q 'left alone: driver/coinstaller.dll belongs to a driver package' <<<"$output"
for file in autorun.exe helper.dll redist/vendor.exe driver/coinstaller.dll; do
  extract "$image" "/$file" "$work/extracted"
  verdict=$(verify "$work/extracted")
  case $file in
    driver/*) check "$file stays unsigned" grep -q 'No signature found' <<<"$verdict" ;;
    redist/*) check "$file is unchanged byte for byte" cmp "$signed_source/$file" "$work/extracted" ;;
    *)
      check "$file is signed by the throwaway publisher" \
        grep -q 'Subject: /CN=Orvex AutoRun Test Publisher' <<<"$verdict"
      check "$file's signature verifies" grep -q '^Signature verification: ok' <<<"$verdict"
      check "$file's timestamp verifies" \
        grep -q '^Timestamp Server Signature verification: ok' <<<"$verdict"
      ;;
  esac
done

# The checker's audit of the image: every program, its signature and timestamp.
mkdir "$work/image"
extract "$image" / "$work/image"
audit=$("$checker" --all-files --ca-file "$work/pki/ca.pem" --json "$work/image")
while IFS='|' read -r file finding; do
  check "the audit says of $file: $finding" grep -qF "\"file\": \"$work/image/$file\", $finding" <<<"$audit"
done <<EOF
autorun.exe|"severity": "note", "text": "autorun.exe is signed and timestamped, and its signature verifies"
redist/vendor.exe|"severity": "warning", "text": "redist/vendor.exe's signature has no timestamp: it stops verifying on $(date -u -d "$(openssl x509 -enddate -noout -in "$work/pki/cert.pem" | cut -d= -f2)" +%F)
driver/coinstaller.dll|"severity": "note", "text": "driver/coinstaller.dll belongs to a driver package
setup.exe|"severity": "note", "text": "setup.exe is signed and timestamped, and its signature verifies"
EOF

image=$work/untimed.iso
output=$("$builder" --launcher "$launcher" --check "$checker" --cert "$work/pki/cert.pem" \
  --key "$work/pki/cert-key.pem" "$source" "$image" 2>&1)
status=$?
check "signs with a certificate and key (exit status $status)" test "$status" = 0
check "warns that a signature without a timestamp ends with the certificate" \
  grep -q 'warning: no --timestamp: the signatures stop verifying when the certificate expires' \
  <<<"$output"
extract "$image" /autorun.exe "$work/extracted"
check "that signature verifies" grep -q '^Signature verification: ok' <(verify "$work/extracted")

# ---- refusals
refuses() {  # what, source folder, the error the checker must show
  local image=$work/refused.iso output status
  output=$("$builder" --launcher "$launcher" --check "$checker" "$2" "$image" 2>&1)
  status=$?
  echo "$output" | tail -n 3
  check "refuses $1 (exit status $status)" test "$status" = 1
  check "shows the checker's error: $3" grep -qF "error: $3" <<<"$output"
  check "writes no image then" test ! -e "$image"
}
refuses "a medium the launcher would fail on" "$media/fatal-several" \
  'the launcher stops here with "Type mismatch"'
# Files named like devices cannot live in the repository: made here.
devices=$work/devices
cp -R "$source" "$devices"
touch "$devices/Docs/nul.txt" "$devices/Aux.bmp"
refuses "a medium with files Windows cannot open" "$devices" \
  "Docs/nul.txt on the medium is a Windows device name: no file of this name can be opened on Windows"

# What the image or the medium cannot hold: each refused, naming the file
# and the limit, and no image written.
long_name=$(printf 'n%.0s' {1..61}).txt
while IFS='|' read -r what make options message; do
  limited=$work/limited
  rm -rf "$limited"
  cp -R "$media/clean-window" "$limited"
  (cd "$limited" && eval "$make")
  image=$work/limited.iso
  # shellcheck disable=SC2086  # (options split as written)
  output=$("$builder" --launcher "$launcher" --check "$checker" $options "$limited" "$image" 2>&1)
  status=$?
  check "refuses $what (exit status $status)" test "$status" = 1 -a ! -e "$image"
  check "names the file and the limit for $what" grep -qF "$message" <<<"$output"
done <<EOF
a name of 65 characters|touch "$long_name"|--media dvd|limited/$long_name: error: the name has 65 characters; Joliet names hold at most 64
names that differ in case only|touch Readme.TXT||limited/readme.txt: error: the name differs from Readme.TXT only in letter case
a folder 9 levels deep|mkdir -p 2/3/4/5/6/7/8/9||limited/2/3/4/5/6/7/8/9: error: the folder lies 9 levels deep; ISO 9660 holds at most 8
a file of 4 GiB|truncate -s 4G big.bin|--media usb|limited/big.bin: error: the file has 4294967296 bytes; files of 4 GiB and more need ISO level 3
more than a CD holds|truncate -s 740000000 big.bin|--media cd|bytes; a cd holds 737280000
EOF

# ---- language profiles: taken along, and each language checked
cp -R "$media/languages" "$work/Languages"
mv "$work/Languages/autorun.ar.ini" "$work/autorun.ar.ini"
"$builder" --launcher "$launcher" --check "$checker" "$work/Languages" "$work/languages.iso" \
  >/dev/null 2>&1
status=$?
check "builds a medium with language profiles (exit status $status)" test "$status" = 0
check "the language profiles are on the image" \
  grep -qx /autorun.ja-JP.ini <(files_in "$work/languages.iso")
mv "$work/autorun.ar.ini" "$work/Languages/"
output=$("$builder" --launcher "$launcher" --check "$checker" "$work/Languages" \
  "$work/arabic.iso" 2>&1)
status=$?
check "refuses a medium that fails in one language (exit status $status)" test "$status" = 1
check "naming that language's file" grep -q 'autorun.ar.ini:2: error: \[ar\]' <<<"$output"
check "writes no image then" test ! -e "$work/arabic.iso"

"$builder" "$source" >/dev/null 2>&1
status=$?
check "a missing argument is a usage error (exit status $status)" test "$status" = 2

# ---- preview of the demo medium at 96 and 144 DPI
if [[ -f $preview_launcher && -f $6 ]] && [[ -x /usr/lib/wine/wine64 ]] &&
  command -v Xvfb xdotool xwd montage >/dev/null; then
  demo=$work/demo
  cp -R "$7" "$demo"
  cp "$6" "$demo/"
  preview=$work/preview
  ORVEX_PREVIEW_PREFIX=$8 "$builder" --launcher "$preview_launcher" --check "$checker" \
    --preview-only "$preview" "$demo" >"$work/preview.log" 2>&1
  status=$?
  tail -n 1 "$work/preview.log"
  check "previews the demo medium (exit status $status)" test "$status" = 0
  check "one PNG per DPI and a contact sheet" test -f "$preview/autorun-96dpi.png" -a \
    -f "$preview/autorun-144dpi.png" -a -f "$preview/contact-sheet.png"
  size() { identify -format '%w %h' "$1"; }
  read -r width96 _ < <(size "$preview/autorun-96dpi.png")
  read -r width144 _ < <(size "$preview/autorun-144dpi.png")
  read -r picture _ < <(size "$demo/splash.png")
  # The client area grows with the DPI; the frame around it does not.
  check "at 144 DPI the window is half the picture's width wider (${width96} and ${width144} px)" \
    test $((2 * (width144 - width96) - picture)) -ge -3 -a $((2 * (width144 - width96) - picture)) -le 3
  background=srgb\($(sed -n 's/^BackColor=//p' "$demo/autorun.ini" | tr -d '\r')\)
  for png in autorun-96dpi autorun-144dpi; do
    read -r width height < <(size "$preview/$png.png")
    check "$png shows the background colour in the bottom left corner" test \
      "$(convert "$preview/$png.png" -format "%[pixel:p{5,$((height - 5))}]" info:)" = "$background"
    check "preview.json says what $png showed" grep -qF "\"png\": \"$png.png\", \"shows\": \"window\", \"title\": \"Orvex Demo Suite 1.0\", \"width\": $width, \"height\": $height, \"buttons\": [" "$preview/preview.json"
  done
  # The captions of the profile's shown buttons, in their order, in every run.
  check "preview.json names the demo's buttons" python3 - "$demo" "$preview/preview.json" <<'EOF'
import configparser, json, pathlib, sys
def captions(language):
    # The profile, then the language profile's values over it.
    profile = configparser.ConfigParser(interpolation=None)
    profile.read(pathlib.Path(sys.argv[1], "autorun.ini"))
    if language:
        profile.read(pathlib.Path(sys.argv[1], f"autorun.{language}.ini"), encoding="utf-8-sig")
    buttons = sorted((int(name[6:]), section) for name, section in profile.items() if name.startswith("BUTTON"))
    return [section["Caption"] for _, section in buttons if section["Show"].lower() == "true"]
runs = json.load(open(sys.argv[2]))["runs"]
shown = [([button["caption"] for button in run["buttons"]], captions(run["language"])) for run in runs]
print("shown, expected:", shown)
sys.exit(not runs or any(got != want for got, want in shown))
EOF
  check "leaves no process of its Wine prefix behind" \
    bash -c '! grep -lzs "WINEPREFIX=$1" /proc/[0-9]*/environ' _ "$8"
else
  echo "preview skipped: needs a 64-bit launcher, the demo's setup.exe, wine64, Xvfb, xdotool, xwd and ImageMagick"
fi

if [[ $failures -gt 0 ]]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all checks passed"
