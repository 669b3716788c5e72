#!/usr/bin/env bash
# Installs what building, testing and the demo need on a Debian machine. Idempotent: installs only
# missing packages, and refreshes the package lists only when something is missing.
set -euo pipefail
packages=(
  cmake ninja-build make git python3 dpkg-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
  clang libclang-rt-14-dev googletest libgtest-dev libjpeg-dev
  mingw-w64-tools
  wine wine64 fonts-wine xvfb xauth x11-utils imagemagick
  fp-utils-3.2.2 nsis
  python3-pil python3-cairo
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" != 0 ]; then
    echo "setup: missing packages: ${missing[*]} (run this script as root, or install them)" >&2
    exit 1
  fi
  echo "setup: installing ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
# libjpeg is cross-built from Debian's source package on first configure; that needs deb-src entries.
if [ "$(id -u)" = 0 ]; then
  "$(dirname "$0")/ensure-deb-src.sh"
fi
echo "setup: all build, test and demo packages present"
