#!/usr/bin/env bash
# Builds the game and runs it from its folder (build/game).
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh
bash scripts/deps.sh "${BUILD_PACKAGES[@]}"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target zindrop7
exec build/game/zindrop7
