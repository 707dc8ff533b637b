#!/usr/bin/env bash
# Plays the real program from its folder under Xvfb with xdotool, through its
# menus, twice:
#  1. A first start (no settings.dat) opens on the languages: the second one
#     is chosen, the title leads to the main menu, the sound options switch
#     the effects off, and the game is left through the quit question. The
#     saved settings must hold that language and the effects off.
#  2. The next start opens on the title: any key leads to the main menu, Esc
#     to the quit question, Enter quits.
# Both runs must end by themselves with status 0.
set -euo pipefail
game_dir=$(cd "$1" && pwd)
scripts=$(cd "$(dirname "$0")" && pwd)
passed=0
failed=0
result() {  # result DESCRIPTION STATUS
  if [ "$2" -eq 0 ]; then echo "end-to-end: ok: $1"; passed=$((passed + 1));
  else echo "end-to-end: FAILED: $1"; failed=$((failed + 1)); fi
}

# run_game KEY... : starts the game, waits past the logo, types the keys one
# by one and waits for the program to end; its exit status is the result.
run_game() {
  xvfb-run -a -s '-screen 0 1024x768x24' bash -c '
    set -u
    source "$2/game_window.sh"
    start_game "$1" || exit 1
    # The start-up logo takes the first key for itself during its 2 seconds.
    sleep 3
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    for key in "${@:3}"; do xdotool key --window "$window" "$key"; sleep 0.3; done
    for _ in $(seq 1 100); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
    if kill -0 $pid 2>/dev/null; then echo "end-to-end: still running after the keys"; kill $pid; exit 1; fi
    wait $pid
  ' _ "$game_dir" "$scripts" "$@"
}

# The 32-bit number at `offset` past the language name of settings.dat.
settings_field() {
  local file=$game_dir/settings.dat
  local length
  length=$(od -An -t d4 -j 4 -N 4 "$file" | tr -d ' ')
  od -An -t d4 -j $((8 + length + $1)) -N 4 "$file" | tr -d ' '
}
settings_language() {
  local length
  length=$(od -An -t d4 -j 4 -N 4 "$game_dir/settings.dat" | tr -d ' ')
  dd if="$game_dir/settings.dat" bs=1 skip=8 count="$length" 2>/dev/null
}

rm -f "$game_dir/settings.dat"
second_language=$(cd "$game_dir" && ls -1 *.str | sort -f | sed -n 2p)
# Languages: settle on the first, Down to the second, Enter. Title: a key.
# Main menu: Down three times to the options, Enter; Down twice to the sound,
# Enter; Enter switches the effects; Esc, Esc back to the main menu; Esc asks
# to quit with "yes" selected; Enter.
status=0
run_game Down Return Return Down Down Down Return Down Down Return Return Escape Escape Escape Return || status=$?
result "first start through the menus and out through the quit question (status $status)" "$status"
if [ -f "$game_dir/settings.dat" ]; then
  language=$(settings_language)
  [ "$language" = "$second_language" ]; result "the chosen language $second_language is saved (found $language)" $?
  effects=$(settings_field 12)
  [ "$effects" = 0 ]; result "the sound effects are saved off (found $effects)" $?
else
  result "settings.dat was written" 1
fi

status=0
run_game Escape Escape Return || status=$?
result "second start opens on the title and quits through the menus (status $status)" "$status"
[ "$(settings_language)" = "$second_language" ]; result "the language stays $second_language" $?

echo "end-to-end: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
