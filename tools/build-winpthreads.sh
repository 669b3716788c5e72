#!/usr/bin/env bash
# Builds the posix-threads runtime of MinGW-w64 (winpthreads, from Debian's mingw-w64 source package, the
# version the toolchain ships) for the Windows the program targets, as a static library in DEST/lib.
# Debian's own copy is built for Vista and later: its timed waits import GetTickCount64, which XP and
# Server 2003 lack, and every program that uses a thread-safe static links those waits. Built with
# _WIN32_WINNT of the target, the same sources count time with calls those systems have.
#   build-winpthreads.sh TOOLCHAIN_PREFIX WINNT DEST     e.g. i686-w64-mingw32 0x0501 DIR
set -euo pipefail
prefix=${1:?usage: build-winpthreads.sh TOOLCHAIN_PREFIX WINNT DEST}
winnt=${2:?usage: build-winpthreads.sh TOOLCHAIN_PREFIX WINNT DEST}
dest=${3:?usage: build-winpthreads.sh TOOLCHAIN_PREFIX WINNT DEST}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$here/ensure-deb-src.sh"
cd "$work"
apt-get source --download-only mingw-w64 >/dev/null 2>&1 || {
  echo "build-winpthreads: 'apt-get source mingw-w64' failed (is there a deb-src entry and was apt-get update run?)" >&2
  exit 1
}
tar -xf "$(ls mingw-w64_*.orig.tar.* | grep -v "\.asc$")" --wildcards '*/mingw-w64-libraries/winpthreads/*'
src=$(echo "$work"/mingw-w64-*/mingw-w64-libraries/winpthreads)
mkdir -p obj install/lib
for c in "$src"/src/*.c; do
  "$prefix-gcc-posix" -c -O2 -Wall -I"$src/include" -DIN_WINPTHREAD -DWINPTHREAD_DBG=1 \
    -D__USE_MINGW_ANSI_STDIO=0 -DWIN32_LEAN_AND_MEAN -D_WIN32_WINNT="$winnt" -DWINVER="$winnt" \
    "$c" -o "obj/libwinpthread_la-$(basename "${c%.c}").o"
done
"$prefix-ar" rcs install/lib/libwinpthread.a obj/*.o
# The compiler driver links it as -lpthread; both names, as the toolchain has them.
cp install/lib/libwinpthread.a install/lib/libpthread.a
mkdir -p "$(dirname "$dest")"
rm -rf "$dest"
mv install "$dest"
echo "winpthreads for $prefix ($winnt) in $dest"
