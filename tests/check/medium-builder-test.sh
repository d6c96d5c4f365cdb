#!/usr/bin/env bash
# autorun-medium end to end: builds images from a sample medium and reads
# them back with xorriso; signs the launcher with a throwaway self-signed
# certificate and verifies the signature; refuses a medium the checker
# finds an error in. Exit status 77: skipped (no launcher or tools).
#
#   medium-builder-test.sh AUTORUN_MEDIUM AUTORUN_CHECK LAUNCHER_EXE MEDIA_DIR
set -uo pipefail
builder=$1
checker=$2
launcher=$3
media=$4

skip() {
  echo "SKIP: $*"
  exit 77
}
[[ -f $launcher ]] ||
  skip "no launcher at $launcher (build the win32 tree first: cmake --preset win32 && cmake --build --preset win32)"
for tool in xorriso osslsigncode openssl; do
  command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/setup.sh installs it)"
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
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
printf '[autorun]\r\nopen=autorun.exe\r\nicon=autorun.exe\r\nlabel=ORVEX TEST\r\n' >"$work/expected.inf"
check "autorun.inf opens the launcher, with its icon and label, in CRLF lines" \
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
printf '[autorun]\r\nopen=Setup.exe\r\nicon=Setup.exe\r\nlabel=missing-profile\r\n' >"$work/expected-named.inf"
check "autorun.inf names Setup.exe and the folder's name as label" \
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

# ---- signed image
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Orvex AutoRun Test Publisher" \
  -keyout "$work/key.pem" -out "$work/cert.pem" >/dev/null 2>&1
check "openssl made a throwaway certificate" test -s "$work/cert.pem" -a -s "$work/key.pem"
image=$work/signed.iso
"$builder" --launcher "$launcher" --check "$checker" --cert "$work/cert.pem" --key "$work/key.pem" \
  "$source" "$image" >"$work/signed.log" 2>&1
status=$?
check "builds the signed image (exit status $status)" test "$status" = 0
extract "$image" /autorun.exe "$work/signed.exe"
verify=$(osslsigncode verify -CAfile "$work/cert.pem" -in "$work/signed.exe" 2>&1)
status=$?
check "the signed launcher verifies (exit status $status)" test "$status" = 0
check "it is signed by the throwaway certificate" \
  grep -q 'Subject: /CN=Orvex AutoRun Test Publisher' <<<"$verify"
check "the signature is intact" grep -q 'Signature verification: ok' <<<"$verify"

# ---- refusals
image=$work/refused.iso
output=$("$builder" --launcher "$launcher" --check "$checker" "$media/fatal-several" "$image" 2>&1)
status=$?
echo "$output" | tail -n 3
check "refuses a medium the launcher would fail on (exit status $status)" test "$status" = 1
check "shows the checker's error" grep -q 'error: the launcher stops here with "Type mismatch"' <<<"$output"
check "writes no image then" test ! -e "$image"

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

if [[ $failures -gt 0 ]]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all checks passed"
