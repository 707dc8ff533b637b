#!/usr/bin/env bash
# Builds the libraries of the browser version with Emscripten from Debian's
# source packages: SDL2, SDL2_mixer (Ogg through its built-in decoder, every
# other codec off), zlib and libpng (for the level tool's maps), all static.
# Emscripten's own ports would download their sources, which these machines
# cannot do.
#
# The result is kept outside the checkout, under
# ~/.cache/zindrop7/web-libs/KEY/, KEY naming the Emscripten and source
# versions and this script's own hash, so a second run (or another checkout)
# reuses it. The last line printed is that folder.
#
#   bash scripts/web_libs.sh
set -euo pipefail
cd "$(dirname "$0")/.."
export NODE_PATH=/usr/share/nodejs
jobs=$(( $(nproc) < 2 ? $(nproc) : 2 ))

bash scripts/deps.sh emscripten dpkg-dev cmake make xz-utils >&2

ensure_source_entries() {
  # apt-get source needs deb-src entries; where the machine has none, add
  # them from its own deb entries.
  if grep -rqs "^Types:.*deb-src\|^deb-src " /etc/apt/sources.list /etc/apt/sources.list.d/; then
    return
  fi
  local sources=/etc/apt/sources.list.d/debian.sources
  [ -f "$sources" ] || { echo "web_libs: no $sources to derive source entries from" >&2; exit 1; }
  sed 's/^Types: deb$/Types: deb-src/' "$sources" > /etc/apt/sources.list.d/zindrop7-src-debian.sources
  apt-get update -qq >&2
}

candidate() { apt-cache policy "$1" | sed -n 's/^ *Candidate: //p'; }

ensure_source_entries
sdl_version=$(candidate libsdl2-dev)
mixer_version=$(candidate libsdl2-mixer-dev)
zlib_version=$(candidate zlib1g-dev)
png_version=$(candidate libpng-dev)
emcc_version=$(cat /usr/share/emscripten/emscripten-version.txt 2>/dev/null || emcc -dumpversion)
script_hash=$(sha1sum "$0" | cut -c1-8)
key=$(echo "emcc-$emcc_version.sdl2-$sdl_version.mixer-$mixer_version.zlib-$zlib_version.png-$png_version.$script_hash" |
      tr ':+~' '__-')
cache=${ZD_WEB_CACHE:-$HOME/.cache/zindrop7}/web-libs
prefix=$cache/$key

if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

work=$cache/build-$key
rm -rf "$work" "$prefix"
mkdir -p "$work" "$prefix"
cd "$work"

# Runs one build step, its output in a log that is shown when it fails.
step() {
  local log=$1
  shift
  if ! "$@" >>"$work/$log" 2>&1; then
    echo "web_libs: failed: $*" >&2
    tail -40 "$work/$log" >&2
    exit 1
  fi
}

# The unpacked source of package $1, preferably at version $2, else at the
# newest other version the source entries list (security updates are not
# always on the source mirrors). Prints the folder; $3 is its name's start.
fetch_source() {
  local package=$1 version=$2 start=$3 other
  if ! apt-get source -qq "$package=$version" >>"$work/sources.log" 2>&1; then
    local fetched=false
    for other in $(apt-cache showsrc "$package" | sed -n 's/^Version: //p' | sort -rV | uniq); do
      [ "$other" = "$version" ] && continue
      if apt-get source -qq "$package=$other" >>"$work/sources.log" 2>&1; then
        fetched=true
        break
      fi
    done
    $fetched || { echo "web_libs: no source of $package could be fetched" >&2; tail -20 "$work/sources.log" >&2; exit 1; }
  fi
  find . -maxdepth 1 -mindepth 1 -type d -name "$start[0-9]*" | head -1
}

echo "web_libs: building into $prefix (SDL2's configure step alone takes minutes)" >&2
export CFLAGS="-O2"

zlib_dir=$(fetch_source zlib "$zlib_version" zlib-)
echo "web_libs: zlib from $zlib_dir" >&2
(cd "$zlib_dir" && step zlib.log emconfigure ./configure --static --prefix="$prefix" &&
  step zlib.log emmake make -j"$jobs" libz.a && step zlib.log emmake make install)

png_dir=$(fetch_source libpng1.6 "$png_version" libpng1.6-)
echo "web_libs: libpng from $png_dir" >&2
step libpng.log emcmake cmake -S "$png_dir" -B build-png -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
  -DPNG_EXECUTABLES=OFF -DPNG_HARDWARE_OPTIMIZATIONS=OFF \
  -DZLIB_INCLUDE_DIR="$prefix/include" -DZLIB_LIBRARY="$prefix/lib/libz.a" \
  -DCMAKE_FIND_ROOT_PATH="$prefix"
step libpng.log cmake --build build-png -j"$jobs"
step libpng.log cmake --install build-png

sdl_dir=$(fetch_source libsdl2 "$sdl_version" libsdl2-)
echo "web_libs: SDL2 from $sdl_dir" >&2
step SDL2.log emcmake cmake -S "$sdl_dir" -B build-sdl2 -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF \
  -DSDL_TESTS=OFF
step SDL2.log cmake --build build-sdl2 -j"$jobs"
step SDL2.log cmake --install build-sdl2

mixer_dir=$(fetch_source libsdl2-mixer "$mixer_version" libsdl2-mixer-)
echo "web_libs: SDL2_mixer from $mixer_dir" >&2
step SDL2_mixer.log emcmake cmake -S "$mixer_dir" -B build-mixer -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF -DSDL2_DIR="$prefix/lib/cmake/SDL2" \
  -DSDL2MIXER_VENDORED=OFF -DSDL2MIXER_SAMPLES=OFF -DSDL2MIXER_VORBIS=STB \
  -DSDL2MIXER_OPUS=OFF -DSDL2MIXER_FLAC=OFF -DSDL2MIXER_MOD=OFF -DSDL2MIXER_MP3=OFF \
  -DSDL2MIXER_MIDI=OFF -DSDL2MIXER_WAVPACK=OFF -DSDL2MIXER_CMD=OFF \
  -DCMAKE_FIND_ROOT_PATH="$prefix"
step SDL2_mixer.log cmake --build build-mixer -j"$jobs"
step SDL2_mixer.log cmake --install build-mixer

touch "$prefix/.complete"
cd /
rm -rf "$work"
echo "$prefix"
