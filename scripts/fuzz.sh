#!/usr/bin/env bash
# Builds every fuzz target with clang and runs each for a bounded time ($1
# seconds) under AddressSanitizer and UndefinedBehaviorSanitizer, starting
# from its seeds in fuzz/corpus/<name>/. Any finding fails the run.
set -euo pipefail
seconds=${1:-60}
cd "$(dirname "$0")/.."
if ! ls fuzz/*.cpp >/dev/null 2>&1; then echo "fuzz: no targets"; exit 0; fi
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZD_FUZZERS=ON -DZD_SANITIZE=ON -DZD_TESTS=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)"
for source in fuzz/*.cpp; do
  name=$(basename "$source" .cpp)
  work=$(mktemp -d)
  [ -d "fuzz/corpus/$name" ] && cp -r "fuzz/corpus/$name/." "$work/"
  echo "fuzz: $name for ${seconds}s"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1 \
    "build-fuzz/fuzz/fuzz_$name" -max_total_time="$seconds" -rss_limit_mb=2048 \
    -artifact_prefix="build-fuzz/$name-" "$work" 2>&1 | tail -n 3
  status=${PIPESTATUS[0]}
  rm -rf "$work"
  if [ "$status" -ne 0 ]; then echo "fuzz: $name found a fault (see build-fuzz/$name-*)"; exit 1; fi
done
