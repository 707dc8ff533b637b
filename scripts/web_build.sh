#!/usr/bin/env bash
# Builds the browser version with Debian's Emscripten into build-web/: the
# web page in build-web/web/ (index.html with the program, its data package
# and icon) and the level tool for node as build-web/zdltool.js. The
# libraries come from scripts/web_libs.sh, built once and cached.
#
#   bash scripts/web_build.sh [BUILD_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-web}
# Emscripten's optimiser finds Debian's node modules only through NODE_PATH.
export NODE_PATH=/usr/share/nodejs
bash scripts/deps.sh emscripten nodejs python3 cmake make >&2
libs=$(bash scripts/web_libs.sh | tail -1)
# The level tool builds the levels under node (not with the thread flag
# Emscripten would add, which this node refuses).
emcmake cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DZD_WEB_LIBS="$libs" \
  "-DCMAKE_CROSSCOMPILING_EMULATOR=$(command -v node);--no-experimental-fetch" >/dev/null
cmake --build "$build" -j"$(( $(nproc) < 2 ? $(nproc) : 2 ))"
