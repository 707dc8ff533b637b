#!/usr/bin/env bash
# Takes the pictures of the README from the real program under Xvfb: the
# start-up logo while the game loads, then on a first start the title page,
# the main menu and the options, each over the live board of the menu
# background level.
#   scripts/screenshots.sh build/game docs
set -euo pipefail
game_dir=$(cd "$1" && pwd)
out_dir=$(mkdir -p "$2" && cd "$2" && pwd)
scripts=$(cd "$(dirname "$0")" && pwd)
saved=""
if [ -f "$game_dir/settings.dat" ]; then saved=$(mktemp); cp "$game_dir/settings.dat" "$saved"; fi
rm -f "$game_dir/settings.dat"
xvfb-run -a -s '-screen 0 1024x768x24' bash -c '
  set -u
  source "$3/game_window.sh"
  start_game "$1" || exit 1
  key() { xdotool key --window "$window" "$1"; sleep 0.4; }
  sleep 0.5
  import -window root "$2/screenshot-logo.png"
  sleep 2.5
  key Down; key Return           # languages: the second one
  sleep 0.6
  import -window root "$2/screenshot-title.png"
  key Return                     # the main menu
  sleep 0.6
  import -window root "$2/screenshot-menu.png"
  key Down; key Down; key Down; key Return
  sleep 0.6
  import -window root "$2/screenshot-options.png"
  key Escape; key Escape; key Return  # options, main menu, the quit question: yes
  wait $pid
' _ "$game_dir" "$out_dir" "$scripts"
if [ -n "$saved" ]; then mv "$saved" "$game_dir/settings.dat"; else rm -f "$game_dir/settings.dat"; fi
