#!/usr/bin/env bash
# Builds every fuzz target with clang and runs each for a bounded time ($1
# seconds) under AddressSanitizer and UndefinedBehaviorSanitizer, starting
# from its seeds in fuzz/corpus/<name>/. Any finding fails the run.
# A fuzzer uses one core, so as many targets run at once as there are cores.
set -euo pipefail
seconds=${1:-60}
cd "$(dirname "$0")/.."
if ! ls fuzz/*.cpp >/dev/null 2>&1; then echo "fuzz: no targets"; exit 0; fi
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZD_FUZZERS=ON -DZD_SANITIZE=ON -DZD_TESTS=OFF >/dev/null
names=()
for source in fuzz/*.cpp; do names+=("$(basename "$source" .cpp)"); done
# Only the fuzz targets: the game folder and its levels are not needed here.
cmake --build build-fuzz -j"$(nproc)" --target "${names[@]/#/fuzz_}"

# Runs target $1; its last lines go to build-fuzz/$1.log, its status is the fuzzer's.
fuzz_one() {
  local name=$1 work status
  work=$(mktemp -d)
  [ -d "fuzz/corpus/$name" ] && cp -r "fuzz/corpus/$name/." "$work/"
  set +e
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1 \
    "build-fuzz/fuzz/fuzz_$name" -max_total_time="$seconds" -rss_limit_mb=2048 \
    -artifact_prefix="build-fuzz/$name-" "$work" > "build-fuzz/$name.log" 2>&1
  status=$?
  set -e
  rm -rf "$work"
  return "$status"
}

slots=$(nproc)
failed=()
for (( first = 0; first < ${#names[@]}; first += slots )); do
  batch=("${names[@]:first:slots}")
  echo "fuzz: ${batch[*]} for ${seconds}s"
  pids=()
  for name in "${batch[@]}"; do fuzz_one "$name" & pids+=($!); done
  for i in "${!batch[@]}"; do
    name=${batch[$i]}
    if wait "${pids[$i]}"; then
      echo "fuzz: $name: $(tail -n 1 "build-fuzz/$name.log")"
    else
      failed+=("$name")
      tail -n 30 "build-fuzz/$name.log"
    fi
  done
done
for name in "${failed[@]}"; do echo "fuzz: $name found a fault (see build-fuzz/$name-* and build-fuzz/$name.log)"; done
[ ${#failed[@]} -eq 0 ]
