#!/usr/bin/env bash
# Builds the Windows installer Quendrel-<version>-win64.exe (or, with --32, Quendrel-<version>-win32.exe)
# from an optimised build of what it holds, packed stripped of symbols (static runtime, no tests).
#   tools/build-installer.sh [--32] [BUILD_DIR]  default build/release (build/release32 with --32), configured
#                                                here as a release build for 64-bit (32-bit) Windows
#   tools/build-installer.sh --from BUILD_DIR    packs a Windows build made already, of either processor (the
#                                                tests pack build/win: its -O2 -g objects, stripped, are the
#                                                release build's bytes)
# Prints the installer's path (in BUILD_DIR) last.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
from=no toolchain=$root/cmake/mingw-w64-x86_64.cmake release=$root/build/release
if [ "${1:-}" = --32 ]; then toolchain=$root/cmake/mingw-w64-i686.cmake release=$root/build/release32; shift; fi
if [ "${1:-}" = --from ]; then from=yes; shift; fi
build=${1:-$release}
mkdir -p "$build"
build=$(cd "$build" && pwd)
if [ "$from" = yes ]; then
  # The project's default build type is RelWithDebInfo (an empty cache entry); a Debug build is not shipped.
  grep -qE '^CMAKE_BUILD_TYPE:STRING=(|Release|RelWithDebInfo)$' "$build/CMakeCache.txt" 2>/dev/null ||
    { echo "build-installer: $build is no optimised Windows build" >&2; exit 1; }
else
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DQUENDREL_TESTS=OFF \
    `# -O2, not CMake's -O3: GCC 12 reports false -Wrestrict in libstdc++'s string code at -O3` \
    -DCMAKE_C_FLAGS_RELEASE="-O2 -DNDEBUG" -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >"$build/configure.log" \
    || { cat "$build/configure.log"; exit 1; }
fi
cmake --build "$build" --target quendrel quendrel-store quendrel_help -j "${QUENDREL_JOBS:-$(nproc)}"
rm -f "$build"/Quendrel-*-win64.exe "$build"/Quendrel-*-win32.exe
(cd "$build" && cpack -G NSIS -B "$build" >"$build/cpack.log") || { cat "$build/cpack.log"; exit 1; }
shopt -s nullglob
made=("$build"/Quendrel-*-win64.exe "$build"/Quendrel-*-win32.exe)
[ ${#made[@]} = 1 ] || { echo "build-installer: cpack made no installer (see $build/cpack.log)" >&2; exit 1; }
echo "${made[0]}"
