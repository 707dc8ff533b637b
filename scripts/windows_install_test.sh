#!/usr/bin/env bash
# The Windows packages from ./package.sh windows, checked under Wine in a
# temporary Wine prefix (a copy of the cached one):
#  - the portable zip holds the game folder and nothing a run leaves behind;
#  - the installer installs silently for the current user, with a Start-menu
#    entry and an uninstaller registered for the user; the installed game
#    starts, goes from its first page to the quit question and quits;
#  - installing again over it (an update) keeps the player's settings,
#    profiles, own levels and a changed level of the game's pack;
#  - the uninstaller removes the game and keeps those files; with /PURGE it
#    removes them too.
#
#   bash scripts/windows_install_test.sh DIST_FOLDER
# Runs inside an X session (windows_test.sh gives it Xvfb).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/windows_common.sh"
source "$root/scripts/windows_wine.sh"
source "$root/scripts/windows_drive.sh"
dist=$(cd "$1" && pwd)
zip_file=$(ls "$dist"/zindrop7-*-windows-x64.zip | head -n 1)
setup=$(ls "$dist"/zindrop7-*-windows-x64.exe | head -n 1)
export SDL_AUDIODRIVER=dummy

work=$(mktemp -d)
cleanup() { wine_stop; rm -rf "$work"; }
trap cleanup EXIT
passed=0
failed=0
check() {  # check DESCRIPTION COMMAND...
  local description=$1
  shift
  if "$@"; then echo "install: ok: $description"; passed=$((passed + 1));
  else echo "install: FAILED: $description"; failed=$((failed + 1)); fi
}

listing=$(unzip -Z1 "$zip_file")
for file in zindrop7.exe zdltool.exe SDL2.dll SDL2_mixer.dll english.str lvlpckzindrop/001.zdl txtpckclassic/; do
  check "the zip holds zindrop7/$file" grep -qxF "zindrop7/$file" <<< "$listing"
done
check "the zip holds no settings, profiles or statistics" \
  bash -c '! grep -qE "settings\.dat|\.alp$|\.sts$|lastrun\.zrp" <<< "$1"' _ "$listing"

# A Wine prefix of its own, so that nothing stays behind in the cached one.
wine_start
wine_stop
cp -a "$WINEPREFIX" "$work/prefix"
export WINEPREFIX=$work/prefix
wine_start

home=$(find "$WINEPREFIX/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -n 1)
game="$home/AppData/Local/Programs/Zindrop 7"
shortcut="$home/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Zindrop 7.lnk"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zindrop7'
registered() { wine_run 60 reg query "$uninstall_key" /v UninstallString >/dev/null 2>&1; }
unregistered() { ! registered; }
# The uninstaller copies itself away and returns at once: wait for its work.
uninstall() {
  wine_run 120 "$game/uninstall.exe" "$@" || true
  for _ in $(seq 1 300); do [ -e "$game/uninstall.exe" ] || break; sleep 0.2; done
  sleep 1
}

wine_run 600 "$setup" /S
check "the installer installs the game into the user's programs folder" test -f "$game/zindrop7.exe"
for file in SDL2.dll SDL2_mixer.dll zdltool.exe uninstall.exe english.str lvlpckzindrop/001.zdl; do
  check "$file is installed" test -f "$game/$file"
done
check "the Start menu has the game" test -f "$shortcut"
check "the uninstaller is registered for the user" registered

status=0
drive_game "$game" zindrop7.exe Return Return Escape Return || status=$?
check "the installed game starts and quits through its menus (status $status)" test "$status" = 0
check "the installed game writes its settings beside itself" test -f "$game/settings.dat"

# The player's files: a profile, a level of their own and a changed level of
# the game's pack.
cp "$game/settings.dat" "$work/settings.dat"
printf 'lvlpckzindrop\r\n' > "$game/test.alp"
mkdir -p "$game/lvlpckmine"
cp "$game/lvlpckzindrop/002.zdl" "$game/lvlpckmine/001.zdl"
cp "$game/lvlpckzindrop/002.zdl" "$work/shipped-002.zdl"
printf 'x' >> "$game/lvlpckzindrop/001.zdl"
cp "$game/lvlpckzindrop/001.zdl" "$work/changed-001.zdl"
rm "$game/lvlpckzindrop/003.zdl"  # a shipped level lost: the update brings it back

wine_run 600 "$setup" /S
check "an update keeps the settings" cmp -s "$game/settings.dat" "$work/settings.dat"
check "an update keeps the profile" test -f "$game/test.alp"
check "an update keeps the player's own level" test -f "$game/lvlpckmine/001.zdl"
check "an update keeps the changed level of the game's pack" cmp -s "$game/lvlpckzindrop/001.zdl" "$work/changed-001.zdl"
check "an update keeps the game's unchanged levels" cmp -s "$game/lvlpckzindrop/002.zdl" "$work/shipped-002.zdl"
check "an update brings back a missing level" test -f "$game/lvlpckzindrop/003.zdl"
check "the game is still registered after the update" registered

uninstall /S
check "the uninstaller removes the game" test ! -e "$game/zindrop7.exe"
check "the uninstaller removes the DLLs" test ! -e "$game/SDL2.dll"
check "the uninstaller removes the game's unchanged levels" test ! -e "$game/lvlpckzindrop/002.zdl"
check "the uninstaller keeps the settings" test -f "$game/settings.dat"
check "the uninstaller keeps the profile" test -f "$game/test.alp"
check "the uninstaller keeps the player's own level" test -f "$game/lvlpckmine/001.zdl"
check "the uninstaller keeps the changed level" cmp -s "$game/lvlpckzindrop/001.zdl" "$work/changed-001.zdl"
check "the Start-menu entry is gone" test ! -e "$shortcut"
check "the uninstaller is no longer registered" unregistered

wine_run 600 "$setup" /S
uninstall /S /PURGE
check "an uninstall with /PURGE leaves nothing" test ! -e "$game"

echo "install: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
