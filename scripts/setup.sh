#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, and
# only those that are missing: on a machine that has them all it asks apt
# nothing and takes well under a second.
#
# Debian 12 (bookworm), as root (or with sudo). Called by scripts/test.sh and
# scripts/demo.sh; run it alone to prepare a machine.
set -euo pipefail

packages=(
  # Build
  cmake ninja-build g++ make
  # Unit tests
  libgtest-dev libgmock-dev
  # autorun-check decodes GIF, JPEG and PNG pictures whole
  libgif-dev libjpeg62-turbo-dev libpng-dev
  # Sanitizer builds and fuzzers
  clang libclang-rt-14-dev llvm clang-format
  # The Windows launcher: 32-bit (shipped) and 64-bit (tests where 32-bit
  # programs cannot run)
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools
  # Running it: Wine (with its own fonts: the prefix links the title bar's
  # symbol font from fonts-wine) on a virtual display, window control and
  # screenshots
  wine wine64 wine32:i386 fonts-wine xvfb xauth xdotool x11-apps imagemagick
  # Medium images and code signing (openssl makes the tests' throwaway
  # certificates and answers their time-stamp requests)
  xorriso osslsigncode openssl
  # Test scripts: the differential test's media, the time-stamping server
  python3
)

as_root() {
  if [[ $EUID -eq 0 ]]; then
    "$@"
  elif command -v sudo >/dev/null; then
    sudo "$@"
  else
    echo "setup: run as root (or install sudo) to install: ${missing[*]}" >&2
    exit 1
  fi
}

# One dpkg-query for all: names of the machine's own architecture may come
# back with it (libgtest-dev:amd64), others' always do (wine32:i386).
native_arch=$(dpkg --print-architecture)
declare -A installed=()
while read -r status name; do
  if [[ $status == ii ]]; then installed[${name%:"$native_arch"}]=1; fi
done < <(dpkg-query -W -f='${db:Status-Abbrev} ${binary:Package}\n' "${packages[@]}" 2>/dev/null ||
  true)
missing=()
for package in "${packages[@]}"; do
  [[ -n ${installed[$package]:-} ]] || missing+=("$package")
done
if [[ ${#missing[@]} -eq 0 ]]; then
  echo "setup: all ${#packages[@]} packages are installed"
  exit 0
fi

echo "setup: installing ${#missing[@]} missing packages: ${missing[*]}"
started=$SECONDS
# Wine's 32-bit half comes from the i386 architecture.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  as_root dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
apt_options=(-q -y -o Dpkg::Use-Pty=0 -o APT::Color=0)
as_root apt-get "${apt_options[@]}" update
as_root env DEBIAN_FRONTEND=noninteractive \
  apt-get "${apt_options[@]}" install --no-install-recommends "${missing[@]}"
echo "setup: installed in $((SECONDS - started)) s"
