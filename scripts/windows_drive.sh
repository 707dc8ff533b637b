# Sourced by the Windows tests, inside an X session with a Wine server:
#
#   drive_game FOLDER PROGRAM KEY...
#
# starts PROGRAM (zindrop7.exe under Wine, or a Linux program) in FOLDER,
# waits for the game's window, past the start-up logo, types the keys into it
# one by one and waits for the program to end by itself; returns its exit
# status, or 1 when no window appeared or the program did not end.
drive_game() {
  local folder=$1 program=$2
  shift 2
  local pid window="" key
  if [[ "$program" == *.exe ]]; then
    (cd "$folder" && exec timeout -k 5 180 $WINE "$program") & pid=$!
  else
    (cd "$folder" && exec timeout -k 5 180 "$program") & pid=$!
  fi
  for _ in $(seq 1 600); do
    window=$(xdotool search --onlyvisible --name "^Zindrop 7$" 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ -z "$window" ]; then
    echo "drive_game: no window of $program appeared"
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    return 1
  fi
  # The start-up logo takes the first key for itself during its 2 seconds.
  # The window may be made anew once its drawing context is set up: look
  # for it again after that.
  sleep 3
  window=$(xdotool search --onlyvisible --name "^Zindrop 7$" 2>/dev/null | tail -n 1 || true)
  [ -n "$window" ] || { echo "drive_game: the window of $program went away"; kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; return 1; }
  xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window" 2>/dev/null || true
  for key in "$@"; do xdotool key --window "$window" "$key"; sleep 0.4; done
  for _ in $(seq 1 150); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then
    echo "drive_game: $program still runs after the keys"
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    return 1
  fi
  wait "$pid"
}
