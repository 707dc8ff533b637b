#!/usr/bin/env bash
# Takes the README's picture of the level screen from the real program under
# Xvfb: a new player "ann" chooses the main pack (the pack choice opens on it,
# the profile's pack), and the picture is taken once the view has zoomed out over level 1.
# The player's files are removed again.
#   scripts/screenshot_level_screen.sh build/game docs
set -euo pipefail
game_dir=$(cd "$1" && pwd)
out_dir=$(mkdir -p "$2" && cd "$2" && pwd)
scripts=$(cd "$(dirname "$0")" && pwd)
[ -e "$game_dir/ann.alp" ] && { echo "a profile named ann exists already"; exit 1; }
[ -f "$game_dir/settings.dat" ] || { echo "start the game once first (settings.dat)"; exit 1; }
xvfb-run -a -s '-screen 0 1024x768x24' bash -c '
  set -u
  source "$3/game_window.sh"
  start_game "$1" || exit 1
  sleep 3
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  for key in space Return a n n Return Return Return; do xdotool key --window "$window" "$key"; sleep 0.3; done
  sleep 3
  import -window root "$2/screenshot-level-screen.png"
  for key in Escape Escape Return; do xdotool key --window "$window" "$key"; sleep 0.3; done
  wait $pid
' _ "$game_dir" "$out_dir" "$scripts"
rm -f "$game_dir/ann.alp" "$game_dir"/lvlpck*/ann.sts
