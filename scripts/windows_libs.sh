#!/usr/bin/env bash
# Builds the libraries of the Windows version once, from Debian's own source
# packages, into a cache outside the checkout, and prints the folder they are
# installed in (the last line of standard output).
#
#   bash scripts/windows_libs.sh
#
# SDL2 and SDL2_mixer become DLLs (shipped beside the game); libpng (the level
# tool and the tests) and GoogleTest (from /usr/src/googletest) static
# libraries. zlib is Debian's ready-made libz-mingw-w64-dev. The cache folder
# is named after the versions of the source packages and of the compiler, so a
# new version builds anew and the same versions are built only once.
# ZD_CACHE moves the cache (default ~/.cache/zindrop7).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
source "$here/windows_common.sh"
bash "$here/deps.sh" "${WINDOWS_PACKAGES[@]}" >&2

version() { dpkg-query -W -f='${Version}' "$1"; }
sdl_version=$(version libsdl2-dev)
mixer_version=$(version libsdl2-mixer-dev)
png_version=$(version libpng-dev)
gtest_version=$(version googletest)
gcc_version=$(x86_64-w64-mingw32-g++-posix -dumpfullversion)
key="sdl2-$sdl_version.mixer-$mixer_version.png-$png_version.gtest-$gtest_version.gcc-$gcc_version"
key=$(printf '%s' "$key" | tr -c 'A-Za-z0-9._-' '_')
prefix=$ZD_CACHE/windows-libs/$key
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

log() { echo "windows_libs: $*" >&2; }
jobs=$(nproc)
[ "$jobs" -gt 2 ] && jobs=2
work=$ZD_CACHE/windows-libs/build-$key
rm -rf "$work"
mkdir -p "$work" "$prefix"
toolchain=$root/cmake/mingw-w64.cmake

# apt-get source needs source entries. Where the machine lists none, copy its
# own binary entries as source entries (same archives, same suites).
ensure_source_entries() {
  if apt-get source --print-uris libsdl2 >/dev/null 2>&1 && \
     [ -n "$(apt-get source --print-uris libsdl2 2>/dev/null | grep -m1 "^'")" ]; then
    return 0
  fi
  log "adding source entries derived from the machine's package sources"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  for list in /etc/apt/sources.list.d/*.sources; do
    [ -f "$list" ] || continue
    grep -q '^Types:.*\bdeb\b' "$list" || continue
    sed -e 's/^Types:.*/Types: deb-src/' "$list" |
      $sudo tee "/etc/apt/sources.list.d/zindrop7-src-$(basename "$list")" >/dev/null
  done
  if [ -f /etc/apt/sources.list ] && grep -q '^deb ' /etc/apt/sources.list; then
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list | $sudo tee /etc/apt/sources.list.d/zindrop7-src.list >/dev/null
  fi
  $sudo apt-get update -qq >&2
}

# fetch SOURCE VERSION: unpacks Debian's source package of that version into
# $work and prints its folder. A security update's source is not always to be
# had from the archive: then the newest version of it that downloads is used.
fetch() {
  local package=$1 version candidate
  for version in "$2" $(apt-cache showsrc "$package" 2>/dev/null | sed -n 's/^Version: //p' | sort -Vru); do
    rm -rf "$work/src-$package"
    mkdir -p "$work/src-$package"
    if (cd "$work/src-$package" && apt-get source -qq "$package=$version" >/dev/null 2>&1); then
      [ "$version" = "$2" ] || log "the source of $package $2 is not to be had; building $version"
      candidate=$(find "$work/src-$package" -mindepth 1 -maxdepth 1 -type d -name "$package-*" | head -n 1)
      [ -n "$candidate" ] && { echo "$candidate"; return 0; }
    fi
  done
  log "no source of $package could be fetched"
  return 1
}

# built NAME: true when an earlier run already built and installed NAME
# (a run that stopped half-way keeps the libraries it finished).
built() { [ -f "$prefix/.built-$1" ]; }

# build NAME SOURCE_FOLDER CMAKE_OPTIONS...
build() {
  local name=$1 source=$2
  shift 2
  log "building $name for Windows (log: $work/$name.log)"
  if ! { cmake -S "$source" -B "$work/build-$name" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
           -DZD_WINDOWS_PREFIX="$prefix" -DCMAKE_INSTALL_PREFIX="$prefix" \
           -DCMAKE_BUILD_TYPE=Release "$@" &&
         cmake --build "$work/build-$name" -j"$jobs" &&
         cmake --install "$work/build-$name"; } >"$work/$name.log" 2>&1; then
    tail -n 30 "$work/$name.log" >&2
    log "building $name failed"
    exit 1
  fi
  touch "$prefix/.built-$name"
}

ensure_source_entries
started=$SECONDS

if ! built SDL2; then
  sdl_source=$(fetch libsdl2 "$sdl_version") || exit 1
  build SDL2 "$sdl_source" -DSDL_SHARED=ON -DSDL_STATIC=OFF -DSDL_TEST=OFF -DSDL_TESTS=OFF
fi

if ! built SDL2_mixer; then
  mixer_source=$(fetch libsdl2-mixer "$mixer_version") || exit 1
  build SDL2_mixer "$mixer_source" -DSDL2_DIR="$prefix/cmake" -DSDL2MIXER_VENDORED=OFF \
    -DSDL2MIXER_VORBIS=STB -DSDL2MIXER_OPUS=OFF -DSDL2MIXER_FLAC=OFF -DSDL2MIXER_MOD=OFF \
    -DSDL2MIXER_MP3=OFF -DSDL2MIXER_MIDI=OFF -DSDL2MIXER_SAMPLES=OFF -DSDL2MIXER_CMD=OFF
fi

if ! built libpng; then
  png_source=$(fetch libpng1.6 "$png_version") || exit 1
  build libpng "$png_source" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DPNG_FRAMEWORK=OFF -DSKIP_INSTALL_PROGRAMS=ON
fi

built googletest || build googletest /usr/src/googletest -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON

rm -rf "$work"
touch "$prefix/.complete"
log "built in $((SECONDS - started)) s into $prefix"
echo "$prefix"
