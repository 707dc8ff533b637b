#!/usr/bin/env bash
# Builds and runs every test: the unit and headless tests, the same under
# AddressSanitizer and UndefinedBehaviorSanitizer, the fuzz targets for a
# bounded time, and the real program under Xvfb. Installs what it needs first.
#
#   ./test.sh          every test
#   ./test.sh bench    the benchmarks instead (Release build)
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh
jobs=$(nproc)

if [ "${1:-}" = "bench" ]; then
  bash scripts/deps.sh "${BUILD_PACKAGES[@]}" libbenchmark-dev libpng-dev libstb-dev
  cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DZD_TESTS=OFF -DZD_BENCHMARKS=ON >/dev/null
  cmake --build build-bench -j"$jobs" --target zdbench
  exec build-bench/bench/zdbench "${@:2}"
fi

bash scripts/deps.sh "${BUILD_PACKAGES[@]}" googletest libgtest-dev libgmock-dev libpng-dev \
  clang libclang-rt-14-dev xvfb xauth xdotool imagemagick \
  desktop-file-utils

echo "== Tests =="
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer =="
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DZD_SANITIZE=ON >/dev/null
cmake --build build-sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure -j"$jobs"

echo "== Fuzz targets =="
bash scripts/fuzz.sh "${FUZZ_SECONDS:-60}"

echo "== The real program under Xvfb =="
bash scripts/end_to_end.sh build/game
SDL_AUDIODRIVER=dummy bash scripts/editor_end_to_end.sh build/game build/zdltool

echo "== The Windows version, cross-built and run under Wine =="
bash scripts/windows_test.sh build
