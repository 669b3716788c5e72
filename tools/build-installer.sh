#!/usr/bin/env bash
# Builds the Windows installer build/release/Quendrel-<version>-win64.exe from a release build
# (optimised, stripped, static runtime, no tests) of only what the installer holds.
#   tools/build-installer.sh [BUILD_DIR]     default: build/release; prints the installer's path last
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/release}
mkdir -p "$build"
build=$(cd "$build" && pwd)
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DQUENDREL_TESTS=OFF \
  `# -O2, not CMake's -O3: GCC 12 reports false -Wrestrict in libstdc++'s string code at -O3` \
  -DCMAKE_C_FLAGS_RELEASE="-O2 -DNDEBUG" -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >"$build/configure.log" \
  || { cat "$build/configure.log"; exit 1; }
cmake --build "$build" --target quendrel quendrel-store quendrel_help -j "${QUENDREL_JOBS:-$(nproc)}"
rm -f "$build"/Quendrel-*-win64.exe
(cd "$build" && cpack -G NSIS -B "$build" >"$build/cpack.log") || { cat "$build/cpack.log"; exit 1; }
installer=$(ls "$build"/Quendrel-*-win64.exe)
echo "$installer"
