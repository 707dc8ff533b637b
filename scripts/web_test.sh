#!/usr/bin/env bash
# The browser version's tests: builds it (scripts/web_build.sh), plays the
# page in headless Chromium as a new player (web/driver.py), and plays
# every shipped solution with the level tool under node, comparing each
# result line with the Linux build's (which must be built in build/).
#
#   bash scripts/web_test.sh [SCREENSHOT_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh chromium nodejs python3 >&2
start=$(date +%s)
bash scripts/web_build.sh build-web
built=$(date +%s)
echo "web: built in $((built - start)) s"

status=0
python3 web/driver.py build-web/web ${1:+--shots "$1"} || status=1
bash scripts/web_solutions.sh build build-web || status=1

echo "web: sizes (bytes, and gzip -9):"
for file in build-web/web/zindrop7.wasm build-web/web/zindrop7.data build-web/web/zindrop7.js; do
  echo "web:   $(basename "$file"): $(stat -c %s "$file"), gzipped $(gzip -9 -c "$file" | wc -c)"
done
echo "web: tests took $(( $(date +%s) - built )) s after the build"
exit $status
