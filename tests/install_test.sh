#!/usr/bin/env bash
# Installs the game folder ($1) into a temporary home with install.sh, then
# updates and uninstalls it, checking at each step which files are there.
set -uo pipefail
game_dir=$(cd "$1" && pwd)
repo=$(cd "$(dirname "$0")/.." && pwd)
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home
unset XDG_DATA_HOME
share=$home/.local/share
failures=0
check() {  # check DESCRIPTION COMMAND...
  if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}
install_game() { bash "$repo/install.sh" "$@" >"$home/install.log" 2>&1 || { cat "$home/install.log"; return 1; }; }

check "install runs" install_game --from "$game_dir"
check "game folder holds the program" test -x "$share/zindrop7/zindrop7"
check "game folder holds the language files" test -f "$share/zindrop7/english.str"
check "launcher" test -x "$home/.local/bin/zindrop7"
check "launcher starts the installed program" grep -q "$share/zindrop7/zindrop7" "$home/.local/bin/zindrop7"
check "desktop entry" test -f "$share/applications/zindrop7.desktop"
check "icon" test -s "$share/icons/hicolor/256x256/apps/zindrop7.png"
if command -v desktop-file-validate >/dev/null; then
  check "desktop entry validates" desktop-file-validate "$share/applications/zindrop7.desktop"
else
  echo "FAILED: desktop-file-validate is missing (desktop-file-utils)"; failures=$((failures + 1))
fi

# The player's files, then an update over them.
game=$share/zindrop7
printf 'settings' > "$game/settings.dat"
printf 'lvlpckzindrop\r\n' > "$game/anna.alp"
mkdir -p "$game/lvlpckmine"
printf 'my level' > "$game/lvlpckmine/001.zdl"
printf 'stats' > "$game/lvlpckzindrop/anna.sts"
printf 'edited' > "$game/lvlpckzindrop/001.zdl"
printf 'old' > "$game/english.str"  # a game file: the update replaces it
check "update runs" install_game --from "$game_dir"
check "update keeps the settings" test "$(cat "$game/settings.dat")" = settings
check "update keeps the profile" test -f "$game/anna.alp"
check "update keeps the player's pack" test "$(cat "$game/lvlpckmine/001.zdl")" = "my level"
check "update keeps the statistics" test -f "$game/lvlpckzindrop/anna.sts"
check "update keeps an edited level" test "$(cat "$game/lvlpckzindrop/001.zdl")" = edited
check "update replaces the game's files" cmp -s "$game/english.str" "$game_dir/english.str"
check "update restores a game level" cmp -s "$game/lvlpckzindrop/002.zdl" "$game_dir/lvlpckzindrop/002.zdl"

check "uninstall runs" install_game --uninstall
check "uninstall removes the program" test ! -e "$game/zindrop7"
check "uninstall removes the launcher" test ! -e "$home/.local/bin/zindrop7"
check "uninstall removes the desktop entry" test ! -e "$share/applications/zindrop7.desktop"
check "uninstall removes the icon" test ! -e "$share/icons/hicolor/256x256/apps/zindrop7.png"
check "uninstall removes the game's levels" test ! -e "$game/lvlpckzindrop/002.zdl"
check "uninstall keeps the settings" test -f "$game/settings.dat"
check "uninstall keeps the profile" test -f "$game/anna.alp"
check "uninstall keeps the player's pack" test -f "$game/lvlpckmine/001.zdl"
check "uninstall keeps an edited level" test -f "$game/lvlpckzindrop/001.zdl"

check "reinstall runs" install_game --from "$game_dir"
check "purge runs" install_game --uninstall --purge
check "purge removes everything" test ! -e "$game"

echo "install: $failures failed"
[ "$failures" -eq 0 ]
