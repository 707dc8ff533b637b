#!/usr/bin/env bash
# Plays the real program from its folder under Xvfb with xdotool, through its
# menus, in six runs:
#  1. A first start (no settings.dat) opens on the languages: the second one
#     is chosen, the title leads to the main menu, the sound options switch
#     the effects off, and the game is left through the quit question. The
#     saved settings must hold that language and the effects off.
#  2. The next start opens on the title: any key leads to the main menu, Esc
#     to the quit question, Enter quits.
#  3. A new player: play from the main menu, a profile typed in, the main
#     pack chosen, its level screen at level 1, level 1 started and left with Esc, back
#     on the level screen level 1 skipped, then the main menu and quit. The
#     profile file must name the pack and its statistics file hold level 2
#     with nothing finished.
#  4. The more-levels page: from the information menu the link opens the
#     page of the level packs through a stand-in opener that stays open like
#     a browser; the game goes on at once and quits through its menus. The
#     opener must have been given the page, which lists both shipped packs.
#  5. Level 2 of the main pack cut to its first 50 bytes: skipped to from
#     level 1, its message closed, Play chosen on it (which only shows the
#     message again), then the main menu and quit. No replay may be written,
#     as no level was played.
#  6. SIGTERM, SIGINT and SIGHUP, each once on the title pages and once in
#     play: the game ends at once with status 0 and saves its settings, and
#     a level being played leaves its replay.
# Every run must end by itself with status 0. Sound goes to SDL's dummy
# driver, so the game opens its audio device and plays as with a sound card.
set -euo pipefail
export SDL_AUDIODRIVER=dummy
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

# signal_game SIGNAL KEY... : starts the game, waits past the logo, types
# the keys, waits a second, sends the signal and waits for the program to
# end; its exit status is the result. Job control keeps SIGINT as it is in
# a terminal (a background job of a script would start with it ignored).
signal_game() {
  xvfb-run -a -s '-screen 0 1024x768x24' bash -c '
    set -u
    set -m
    source "$2/game_window.sh"
    start_game "$1" || exit 1
    set +m
    sleep 3
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    for key in "${@:4}"; do xdotool key --window "$window" "$key"; sleep 0.3; done
    sleep 1
    kill -s "$3" $pid
    for _ in $(seq 1 100); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
    if kill -0 $pid 2>/dev/null; then echo "end-to-end: still running after SIG$3"; kill -9 $pid; exit 1; fi
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

# The 32-bit number at `offset` of a statistics file.
statistics_field() {
  od -An -t d4 -j "$2" -N 4 "$1" | tr -d ' '
}

rm -f "$game_dir"/*.alp "$game_dir"/lvlpck*/*.sts
# Title: a key. Main menu: Enter on play; no profile yet: the name, Enter;
# the profile list: Enter on it; the packs (expert, zindrop) with the main
# pack, a new player's first, selected: Enter opens it; the level screen: Enter plays
# level 1, Esc leaves it; Down passes the empty line to the skip, Enter skips;
# Esc to the main menu, Esc to the quit question, Enter.
status=0
run_game space Return t e s t Return Return Return Return Escape Down Return Escape Escape Return || status=$?
result "a new player skips level 1 and quits (status $status)" "$status"
[ "$(cat "$game_dir/test.alp" 2>/dev/null)" = $'lvlpckzindrop\r' ]
result "the profile file names the main pack" $?
stats_file=$game_dir/lvlpckzindrop/test.sts
if [ -f "$stats_file" ]; then
  [ "$(stat -c %s "$stats_file")" = 8004 ]; result "the statistics file is 8004 bytes" $?
  [ "$(statistics_field "$stats_file" 0)" = 2 ]; result "the player goes on from level 2" $?
  finished=$(od -An -v -t d4 -j 4 -N 7992 -w8 "$stats_file" | awk '$1 != 0' | wc -l)
  [ "$finished" = 0 ]; result "no level is finished (found $finished)" $?
else
  result "the statistics file was written" 1
fi
rm -f "$game_dir/test.alp" "$stats_file"

# A stand-in for the desktop's opener: it notes its process and argument and
# stays, as a browser that it started would keep it.
opener_dir=$(mktemp -d)
printf '#!/bin/sh\necho "$$ $1" > "%s/opened"\nexec sleep 60\n' "$opener_dir" > "$opener_dir/xdg-open"
chmod +x "$opener_dir/xdg-open"
# Title: a key. Main menu: Down to the information, Enter; Down to more
# levels, Enter; the page: a key; the link screen opens on "open the page":
# Enter; back in the information menu Esc, Esc to the quit question, Enter.
status=0
PATH="$opener_dir:$PATH" run_game space Down Return Down Return space Return Escape Escape Return || status=$?
result "the more-levels link opens the page and the game goes on to quit (status $status)" "$status"
opened=$(cat "$opener_dir/opened" 2>/dev/null || true)
[ "${opened#* }" = "$game_dir/levels.html" ]; result "the opener was given the page (got: ${opened#* })" $?
grep -q 'id="lvlpckzindrop"' "$game_dir/levels.html" && grep -q 'id="lvlpckexpert"' "$game_dir/levels.html"
result "the page lists both shipped packs" $?
if [ -n "$opened" ]; then kill "${opened%% *}" 2>/dev/null || true; fi
rm -rf "$opener_dir"

# A damaged level: level 2 cut short. Title: a key; Play; a new profile;
# its profile and the main pack; on the level screen Down to the skip and
# Enter: level 2 with its message. Up waits; Enter closes the message; Up,
# Up to Play and Enter: the message again; Esc closes it, Esc leaves to the
# main menu, Esc asks to quit, Enter.
damaged=$game_dir/lvlpckzindrop/002.zdl
cp "$damaged" "$damaged.whole"
restore_damaged() { [ -f "$damaged.whole" ] && mv -f "$damaged.whole" "$damaged"; }
trap restore_damaged EXIT
head -c 50 "$damaged.whole" > "$damaged"
rm -f "$game_dir/lastrun.zrp"
status=0
run_game space Return c u t Return Return Return Down Return Up Return Up Up Return Escape Escape Escape Return \
  || status=$?
result "a player meets the damaged level 2, tries to play it and quits (status $status)" "$status"
[ ! -e "$game_dir/lastrun.zrp" ]; result "the damaged level was not played (no lastrun.zrp)" $?
stats_file=$game_dir/lvlpckzindrop/cut.sts
[ -f "$stats_file" ] && [ "$(statistics_field "$stats_file" 0)" = 2 ]
result "the player stands on level 2" $?
finished=0
if [ -f "$stats_file" ]; then
  finished=$(od -An -v -t d4 -j 4 -N 7992 -w8 "$stats_file" | awk '$1 != 0' | wc -l)
fi
[ "$finished" = 0 ]; result "no level is finished (found $finished)" $?
rm -f "$game_dir/cut.alp" "$stats_file"
restore_damaged
trap - EXIT

# The session's signals. On the title pages: no key at all. In play: a new
# profile plays level 1 of the main pack (as in run 3) when the signal comes.
# The settings file is made old first: it must be written again.
before=$(mktemp)
for signal in TERM INT HUP; do
  touch -d @0 "$game_dir/settings.dat"
  status=0
  signal_game $signal || status=$?
  result "SIG$signal on the title pages ends the game (status $status)" "$status"
  [ "$game_dir/settings.dat" -nt "$before" ]; result "SIG$signal on the title pages: the settings are saved" $?

  touch -d @0 "$game_dir/settings.dat"
  rm -f "$game_dir/lastrun.zrp"
  status=0
  signal_game $signal space Return s i g Return Return Return Return || status=$?
  result "SIG$signal in play ends the game (status $status)" "$status"
  [ "$game_dir/settings.dat" -nt "$before" ]; result "SIG$signal in play: the settings are saved" $?
  [ -s "$game_dir/lastrun.zrp" ]; result "SIG$signal in play: the run's replay is written" $?
  stats_file=$game_dir/lvlpckzindrop/sig.sts
  finished=0
  if [ -f "$stats_file" ]; then
    finished=$(od -An -v -t d4 -j 4 -N 7992 -w8 "$stats_file" | awk '$1 != 0' | wc -l)
  fi
  [ "$finished" = 0 ]; result "SIG$signal in play: no level is recorded finished" $?
  rm -f "$game_dir/sig.alp" "$stats_file"
done
rm -f "$before"

echo "end-to-end: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
