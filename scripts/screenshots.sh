#!/usr/bin/env bash
# Takes the two pictures of the README from the real program under Xvfb: the
# start-up logo while the game loads, and the board a few seconds later.
#   scripts/screenshots.sh build/game docs
set -euo pipefail
game_dir=$(cd "$1" && pwd)
out_dir=$(mkdir -p "$2" && cd "$2" && pwd)
scripts=$(cd "$(dirname "$0")" && pwd)
xvfb-run -a -s '-screen 0 1024x768x24' bash -c '
  set -u
  source "$3/game_window.sh"
  start_game "$1" || exit 1
  sleep 0.5
  import -window root "$2/screenshot-logo.png"
  sleep 3
  import -window root "$2/screenshot-board.png"
  xdotool key --window "$window" Escape
  wait $pid
' _ "$game_dir" "$out_dir" "$scripts"
