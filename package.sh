#!/usr/bin/env bash
# Builds the packages players get, under dist/.
#
#   ./package.sh web       the browser version: dist/web/, an index.html with
#                          its files, ready for any static web host
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)
dist=$root/dist

usage() { sed -n '2,5p' "$0" | sed 's/^# \{0,1\}//'; }

package_web() {
  bash scripts/web_build.sh build-web
  local out=$dist/web
  rm -rf "$out"
  mkdir -p "$out"
  cp build-web/web/index.html build-web/web/zindrop7.js build-web/web/zindrop7.wasm \
     build-web/web/zindrop7.data build-web/web/zindrop7-data.js build-web/web/zindrop7.png "$out/"
  echo "package: $out (serve it over http and open index.html)"
}

case "${1:-}" in
  web) package_web ;;
  *) usage >&2; exit 2 ;;
esac
