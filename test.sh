#!/usr/bin/env bash
# Builds and runs every test: the unit and headless tests, the same under
# AddressSanitizer and UndefinedBehaviorSanitizer, and the real program under
# Xvfb. Installs what it needs first.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh
bash scripts/deps.sh "${BUILD_PACKAGES[@]}" googletest libgtest-dev libgmock-dev \
  xvfb xauth xdotool
jobs=$(nproc)

echo "== Tests =="
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer =="
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DZD_SANITIZE=ON >/dev/null
cmake --build build-sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure -j"$jobs"

echo "== The real program under Xvfb =="
bash scripts/end_to_end.sh build/game
