#!/usr/bin/env bash
# Builds a small level in the real program's editor under Xvfb, driven by
# xdotool, and checks the saved file with zdltool:
#   scripts/editor_end_to_end.sh build/game build/zdltool [docs]
# From the main menu it opens the editor, appends a level to the current
# pack, paints four ground tiles, places the ball, a flag and an exit, sets a
# title through its dialog, saves with Alt+S, test-plays with F2, comes back
# and leaves. With a third argument it also takes the editor's two
# screenshots (the panel over the board, and the picture picker) into it.
# Then, once for each of SIGTERM, SIGINT and SIGHUP, it opens the editor,
# places a tile without saving and sends the signal: the game must end with
# status 0 and its settings saved, the level's own file must be untouched
# and the change kept in "recovered.zdl" in the pack folder.
#
# MENU_TO_EDITOR holds the keys that open the editor from the title page (any
# key to the main menu, then its third item) and LEAVE_GAME the keys that end
# the game from the main menu (Esc asks to quit, Enter confirms). A game
# folder without settings would open on the language choice instead: the run
# then uses English settings of its own and removes them afterwards.
set -euo pipefail
game_dir=$(cd "$1" && pwd)
tool=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
shot_dir=""
if [ $# -ge 3 ]; then shot_dir=$(mkdir -p "$3" && cd "$3" && pwd); fi
scripts=$(cd "$(dirname "$0")" && pwd)
export MENU_TO_EDITOR=${MENU_TO_EDITOR-"Return Down Down Return"}
export LEAVE_GAME=${LEAVE_GAME-"Escape Return"}
# The editor opens on the first pack of the sorted list.
pack_name=$(cd "$game_dir" && ls -d lvlpck*/ | tr -d / | LC_ALL=C sort -f | head -n 1)
pack="$game_dir/$pack_name"
levels_before=$(ls "$pack" | grep -c '^[0-9][0-9][0-9]\.zdl$' || true)
new_level=$(printf '%03d.zdl' $((levels_before + 1)))
backup=$(mktemp -d)
cp -a "$pack" "$backup/"
own_settings=no
if [ ! -f "$game_dir/settings.dat" ]; then
  # profile 0, "english.str", windowed 1024 x 768, effects, music and voices on
  printf '\0\0\0\0\x0b\0\0\0english.str\0\0\0\0\0\x04\0\0\0\x03\0\0\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff' \
    > "$game_dir/settings.dat"
  own_settings=yes
fi
restore() {
  rm -rf "$pack"; cp -a "$backup/$pack_name" "$game_dir/"; rm -rf "$backup"
  if [ "$own_settings" = yes ]; then rm -f "$game_dir/settings.dat"; fi
}
trap restore EXIT

xvfb-run -a -s '-screen 0 1024x768x24' bash -c '
  set -u
  source "$2/game_window.sh"
  start_game "$1" || exit 1
  keys() { xdotool key --window "$window" --delay 120 "$@"; sleep 0.3; }
  sleep 3  # the logo takes the first key for itself
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  if [ -n "$MENU_TO_EDITOR" ]; then keys $MENU_TO_EDITOR; fi
  sleep 1
  keys ctrl+n
  keys g space shift+Right shift+Right shift+Right
  keys Left Left Left h space
  keys Right f space Right Right e space
  keys Left Left
  keys l
  xdotool type --window "$window" --delay 80 "Four Tiles"
  keys Return
  keys alt+s
  sleep 0.5
  keys Return
  if [ -n "$3" ]; then
    import -window root "$3/screenshot-editor.png"
    keys g Return
    sleep 0.5
    import -window root "$3/screenshot-picker.png"
    keys Escape
  fi
  keys F2
  sleep 2
  keys Escape
  sleep 1
  keys Escape
  sleep 1
  # The game may end before the last key is released.
  xdotool key --window "$window" --delay 120 $LEAVE_GAME 2>/dev/null || true
  for _ in $(seq 1 100); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
  if kill -0 $pid 2>/dev/null; then echo "editor end-to-end: still running"; kill $pid; exit 1; fi
  wait $pid
' _ "$game_dir" "$scripts" "$shot_dir"

failed=0
check() {
  if grep -q -- "$1" "$dump"; then echo "editor end-to-end: saved level has $2"
  else echo "editor end-to-end: saved level lacks $2"; failed=1; fi
}
dump=$(mktemp); keep_dump=${KEEP_DUMP:-}
if ! "$tool" dump "$pack/$new_level" > "$dump"; then
  echo "editor end-to-end: no level $new_level was saved"
  echo "0 passed, 1 failed"
  exit 1
fi
check '^title "Four Tiles"$' "the title"
check '^ball [^ ]* [^ ]*\( 0 0\)\?$' "the ball at (0, 0)"
check '^|gggg|$' "four ground tiles in a row"
check '^object bombsAndFlags .* 128 0$' "a flag at (128, 0)"
check '^object exitsAndTraps .* 384 0$' "an exit at (384, 0)"
if [ -n "$keep_dump" ]; then cp "$dump" "$keep_dump"; fi; rm -f "$dump"
passed=0
if [ $failed -eq 0 ]; then passed=1; fi

# The session's signals with an unsaved change. Job control keeps SIGINT as
# it is in a terminal (a background job of a script starts with it ignored).
recovered=$pack/recovered.zdl
before=$(mktemp)
for signal in TERM INT HUP; do
  rm -f "$recovered"
  cp "$pack/001.zdl" "$before.level"
  touch -d @0 "$game_dir/settings.dat"
  status=0
  xvfb-run -a -s '-screen 0 1024x768x24' bash -c '
    set -u
    set -m
    source "$2/game_window.sh"
    start_game "$1" || exit 1
    set +m
    keys() { xdotool key --window "$window" --delay 120 "$@"; sleep 0.3; }
    sleep 3
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    if [ -n "$MENU_TO_EDITOR" ]; then keys $MENU_TO_EDITOR; fi
    sleep 1
    keys g space Right space
    sleep 0.5
    kill -s "$3" $pid
    for _ in $(seq 1 100); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
    if kill -0 $pid 2>/dev/null; then echo "editor end-to-end: still running after SIG$3"; kill -9 $pid; exit 1; fi
    wait $pid
  ' _ "$game_dir" "$scripts" "$signal" || status=$?
  ok=yes
  if [ "$status" -ne 0 ]; then echo "editor end-to-end: SIG$signal: the game ended with status $status"; ok=no; fi
  if [ ! "$game_dir/settings.dat" -nt "$before" ]; then echo "editor end-to-end: SIG$signal: settings not saved"; ok=no; fi
  if ! cmp -s "$pack/001.zdl" "$before.level"; then echo "editor end-to-end: SIG$signal: level 1 changed"; ok=no; fi
  if ! "$tool" dump "$recovered" > /dev/null 2>&1; then
    echo "editor end-to-end: SIG$signal: no readable $recovered"; ok=no
  fi
  if [ $ok = yes ]; then
    echo "editor end-to-end: SIG$signal in the editor ends the game and keeps the change in recovered.zdl"
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
  fi
done
rm -f "$before" "$before.level" "$recovered"

echo "editor-end-to-end: $passed passed, $failed failed"
[ $failed -eq 0 ]
