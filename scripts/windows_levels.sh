#!/usr/bin/env bash
# The shipped levels on both systems: the Windows level tool under Wine must
# build every level file byte for byte as the Linux tool did, and play every
# level's solution frame for frame as the Linux tool does (the whole --trace
# and the closing result line: result, score, time, frames).
#
#   bash scripts/windows_levels.sh LINUX_BUILD WINDOWS_BUILD
# Needs a running Wine server (scripts/windows_wine.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/windows_common.sh"
source "$root/scripts/windows_wine.sh"
linux=$(cd "$1" && pwd)
windows=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0
check() {  # check DESCRIPTION STATUS
  if [ "$2" -eq 0 ]; then passed=$((passed + 1)); else echo "levels: FAILED: $1"; failed=$((failed + 1)); fi
}

for level in "$linux"/game/lvlpck*/*.zdl; do
  name=${level#"$linux/game/"}
  cmp -s "$level" "$windows/game/$name"
  check "$name built by zdltool.exe differs from the Linux build" $?
done

for solution in "$root"/levels/lvlpck*/*.solution; do
  pack=$(basename "$(dirname "$solution")")
  number=$(basename "$solution" .solution)
  level=$pack/${number%.alt}.zdl   # NNN.alt.solution plays level NNN by its other route
  "$linux/zdltool" play "$linux/game/$level" --inputs "$solution" --game "$linux/game" --trace \
    > "$work/linux.txt" 2>&1 || true
  wine_run 120 "$windows/zdltool.exe" play "$windows/game/$level" --inputs "$solution" \
    --game "$windows/game" --trace 2>&1 | tr -d '\r' > "$work/windows.txt" || true
  linux_result=$(tail -n 1 "$work/linux.txt")
  windows_result=$(tail -n 1 "$work/windows.txt")
  if [ "$linux_result" = "$windows_result" ] && [[ "$linux_result" == result* ]]; then
    echo "levels: $level: $linux_result"
    check "" 0
  else
    check "$level: Linux '$linux_result', Windows '$windows_result'" 1
  fi
  if ! cmp -s "$work/linux.txt" "$work/windows.txt"; then
    first=$(cmp "$work/linux.txt" "$work/windows.txt" 2>&1 | head -n 1 | sed 's/.*line //')
    check "$level: the traces part at line $first: Linux '$(sed -n "${first}p" "$work/linux.txt")', Windows '$(sed -n "${first}p" "$work/windows.txt")'" 1
  fi
done

echo "levels: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
