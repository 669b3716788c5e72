#!/usr/bin/env bash
# Cross-builds libjpeg (Debian's libjpeg-turbo source package) as a static MinGW-w64 library into DEST.
# Needs: dpkg-dev, cmake, the MinGW-w64 compilers, and a deb-src entry (added here from the machine's
# own apt sources when missing).
#   build-libjpeg.sh DEST [TOOLCHAIN_FILE]     default: the 64-bit toolchain (cmake/mingw-w64-x86_64.cmake)
set -euo pipefail
dest=${1:?usage: build-libjpeg.sh DEST [TOOLCHAIN_FILE]}
here=$(cd "$(dirname "$0")" && pwd)
toolchain=${2:-$here/../cmake/mingw-w64-x86_64.cmake}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$here/ensure-deb-src.sh"
cd "$work"
apt-get source --download-only libjpeg-turbo >/dev/null 2>&1 || {
  echo "build-libjpeg: 'apt-get source libjpeg-turbo' failed (is there a deb-src entry and was apt-get update run?)" >&2
  exit 1
}
dpkg-source -x --skip-patches ./libjpeg-turbo_*.dsc src >/dev/null 2>&1
cmake -S src -B build -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$work/install" \
  -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF -DWITH_JPEG8=ON \
  -DCMAKE_POSITION_INDEPENDENT_CODE=OFF >build.log 2>&1 || { cat build.log >&2; exit 1; }
cmake --build build -j"$(nproc)" --target jpeg-static >>build.log 2>&1 || { tail -50 build.log >&2; exit 1; }
mkdir -p "$work/install/lib" "$work/install/include"
cp build/libjpeg.a "$work/install/lib/"
cp src/jpeglib.h src/jmorecfg.h src/jerror.h build/jconfig.h "$work/install/include/"
mkdir -p "$(dirname "$dest")"
rm -rf "$dest"
mv "$work/install" "$dest"
echo "libjpeg for MinGW-w64 in $dest"
