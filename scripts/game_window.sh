# Sourced inside an X session (xvfb-run): start_game DIR starts the program in
# DIR in the background, sets $pid and $window once its window is up, and
# fails when no window appears within ten seconds.
start_game() {
  cd "$1" || return 1
  ./zindrop7 & pid=$!
  window=""
  for _ in $(seq 1 200); do
    window=$(xdotool search --name "." 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && return 0
    sleep 0.05
  done
  echo "no game window appeared"
  kill "$pid"
  return 1
}
