#!/usr/bin/env bash
# Cross-builds the Windows version with mingw-w64 into a build folder
# (default build-windows): zindrop7.exe in its game folder with SDL2.dll,
# SDL2_mixer.dll and every data file, zdltool.exe, and the tests' zdtests.exe.
#
#   bash scripts/windows_build.sh [BUILD_FOLDER] [TARGET...]
#
# The libraries come from scripts/windows_libs.sh (built once, then cached).
# The build runs zdltool.exe under Wine to build the levels, so a Wine server
# is started for it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/windows_common.sh"
source "$root/scripts/windows_wine.sh"
build=${1:-$root/build-windows}
shift || true
prefix=$(bash "$root/scripts/windows_libs.sh" | tail -n 1)
jobs=$(nproc)
[ "$jobs" -gt 2 ] && jobs=2

wine_start
trap wine_stop EXIT
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DZD_WINDOWS_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
targets=()
for target in "$@"; do targets+=(--target "$target"); done
cmake --build "$build" -j"$jobs" "${targets[@]}"
