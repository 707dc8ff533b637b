#!/usr/bin/env bash
# The real Windows program under Wine, driven through its menus with xdotool
# as scripts/end_to_end.sh drives the Linux one, on copies of the game folders:
#  1. A first start (no settings.dat) opens on the languages: the second one
#     is chosen, the title leads to the main menu, the sound options switch
#     the effects off, and the game is left through the quit question.
#  2. The next start opens on the title: a key leads to the main menu, Esc to
#     the quit question, Enter quits.
# Each run must end by itself with status 0. The Linux program makes the
# same choices as in 1, and the two settings.dat files must be the same bytes
# (players move them between the systems).
#
#   bash scripts/windows_end_to_end.sh WINDOWS_GAME_DIR LINUX_GAME_DIR
# Runs on a virtual screen of its own, with a Wine server running.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# A screen of 800 x 600, the game's first-start mode: both systems then list
# it and keep it, so the saved mode is the same too. (Run by windows_test.sh,
# it is on that script's screen of that size, where Wine's desktop already is.)
if [ -z "${ZD_END_TO_END_DISPLAY:-}" ]; then
  exec env ZD_END_TO_END_DISPLAY=1 xvfb-run -a -s '-screen 0 800x600x24' bash "$0" "$@"
fi
source "$root/scripts/windows_common.sh"
source "$root/scripts/windows_wine.sh"
source "$root/scripts/windows_drive.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The Windows copy lies below a folder whose name is not ASCII, as a
# player's own folder may be.
windows="$work/J"$'\xc3\xbc'"rgen/zindrop7"
mkdir -p "$(dirname "$windows")"
cp -a "$1" "$windows"
cp -a "$2" "$work/linux"
rm -f "$windows/settings.dat" "$windows"/*.alp "$windows/lastrun.zrp"
rm -f "$work/linux/settings.dat" "$work/linux"/*.alp "$work/linux/lastrun.zrp"
passed=0
failed=0
result() {  # result DESCRIPTION STATUS
  if [ "$2" -eq 0 ]; then echo "windows end-to-end: ok: $1"; passed=$((passed + 1));
  else echo "windows end-to-end: FAILED: $1"; failed=$((failed + 1)); fi
}

first_start=(Down Return Return Down Down Down Return Down Down Return Return Escape Escape Escape Return)
status=0
drive_game "$windows" zindrop7.exe "${first_start[@]}" || status=$?
result "first start through the menus and out through the quit question (status $status)" "$status"
status=0
# The Linux program on a screen of its own, away from Wine's windows.
xvfb-run -a -s '-screen 0 800x600x24' bash -c 'source "$1"; shift; drive_game "$@"' _ \
  "$root/scripts/windows_drive.sh" "$work/linux" ./zindrop7 "${first_start[@]}" || status=$?
result "the same choices in the Linux program (status $status)" "$status"
if [ -f "$windows/settings.dat" ] && [ -f "$work/linux/settings.dat" ]; then
  cmp "$windows/settings.dat" "$work/linux/settings.dat"
  result "settings.dat is the same on both systems ($(od -An -v -tx1 "$windows/settings.dat" | tr -d '\n' | tr -s ' '))" $?
else
  result "both programs wrote settings.dat" 1
fi
cp "$windows/settings.dat" "$work/settings-first.dat" 2>/dev/null || true

status=0
drive_game "$windows" zindrop7.exe Escape Escape Return || status=$?
result "second start opens on the title and quits through the quit question (status $status)" "$status"
cmp -s "$windows/settings.dat" "$work/settings-first.dat"
result "the second start keeps the settings" $?

# Without language files the game shows its first error screen in a small
# window of its own, waits for a key and ends with status 0.
mkdir -p "$work/empty"
cp "$windows"/*.exe "$windows"/*.dll "$work/empty/"
status=0
drive_game "$work/empty" zindrop7.exe space || status=$?
result "without language files the error screen waits for a key and the game ends (status $status)" "$status"

echo "windows end-to-end: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
