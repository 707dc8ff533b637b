#!/usr/bin/env bash
# Starts the real program from its folder under Xvfb, waits for its window,
# sends Esc and checks that it ends with status 0 having written settings.dat.
set -euo pipefail
game_dir=$(cd "$1" && pwd)
scripts=$(cd "$(dirname "$0")" && pwd)
rm -f "$game_dir/settings.dat"
xvfb-run -a -s '-screen 0 1024x768x24' bash -c '
  set -u
  source "$2/game_window.sh"
  start_game "$1" || exit 1
  echo "end-to-end: window $window is open"
  # The start-up logo takes the first key for itself during its 2 seconds.
  sleep 3
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  xdotool key --window "$window" Escape
  for _ in $(seq 1 100); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
  if kill -0 $pid 2>/dev/null; then echo "end-to-end: still running after Esc"; kill $pid; exit 1; fi
  wait $pid; status=$?
  echo "end-to-end: exit status $status"
  exit $status
' _ "$game_dir" "$scripts"
if [ ! -f "$game_dir/settings.dat" ]; then
  echo "end-to-end: settings.dat was not written"
  echo "0 passed, 1 failed"
  exit 1
fi
echo "end-to-end: 1 passed, 0 failed"
