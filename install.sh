#!/usr/bin/env bash
# Installs Zindrop 7 for the current user, or removes it again.
#
#   ./install.sh                      build the game and install it
#   ./install.sh --from DIR           install the game folder DIR (default build/game) without building
#   ./install.sh --uninstall          remove it, keeping your profiles, settings and levels
#   ./install.sh --uninstall --purge  remove everything, your files included
#
# The game folder goes to ~/.local/share/zindrop7/ (the game keeps writing its
# settings, profiles and levels there, beside itself), the launcher to
# ~/.local/bin/zindrop7, a menu entry and an icon under ~/.local/share/.
# Installing over an existing install updates the game's own files and keeps
# the player's: settings, profiles, statistics, their own levels, and any
# level of the game's packs they changed in the editor. A list of the files
# installed, with their checksums, lies in the game folder as
# .installed-files; it tells the game's files from the player's.
set -euo pipefail
cd "$(dirname "$0")"

data_home=${XDG_DATA_HOME:-$HOME/.local/share}
game_home=$data_home/zindrop7
bin_dir=$HOME/.local/bin
launcher=$bin_dir/zindrop7
desktop_file=$data_home/applications/zindrop7.desktop
icon_file=$data_home/icons/hicolor/256x256/apps/zindrop7.png
manifest=$game_home/.installed-files

from=""
mode=install
purge=no
while [ $# -gt 0 ]; do
  case "$1" in
    --from) from=$2; shift 2 ;;
    --uninstall) mode=uninstall; shift ;;
    --purge) purge=yes; shift ;;
    -h|--help) sed -n '2,16p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "install.sh: unknown option $1 (see --help)" >&2; exit 2 ;;
  esac
done

refresh_desktop() {
  command -v update-desktop-database >/dev/null && update-desktop-database -q "$data_home/applications" 2>/dev/null || true
  command -v gtk-update-icon-cache >/dev/null && gtk-update-icon-cache -q -t "$data_home/icons/hicolor" 2>/dev/null || true
}

# The checksums the manifest recorded, by path inside the game folder.
declare -A recorded=()
load_manifest() {
  recorded=()
  [ -f "$manifest" ] || return 0
  local sum path
  while IFS= read -r line; do
    sum=${line%%  *}
    path=${line#*  }
    recorded[$path]=$sum
  done < "$manifest"
}

# A file the game installed and nobody changed since. Levels the player edited
# or made, statistics, profiles and settings never are.
unchanged_game_file() {
  local sum=${recorded[$1]:-}
  [ -n "$sum" ] && [ -f "$game_home/$1" ] && [ "$(sha256sum < "$game_home/$1" | cut -d' ' -f1)" = "$sum" ]
}

# Deletes every file of the manifest that is still as installed, except those
# the new game folder (when given as $1, a list of paths) ships again.
remove_unchanged_game_files() {
  [ -f "$manifest" ] || return 0
  local keep=${1:-/dev/null}
  (cd "$game_home" && sha256sum --check "$manifest" 2>/dev/null || true) |
    sed -n 's/: OK$//p' | { grep -vxF -f "$keep" || true; } | while IFS= read -r path; do
      rm -f "$game_home/$path"
    done
}

remove_empty_folders() {
  [ -d "$game_home" ] && find "$game_home" -mindepth 1 -depth -type d -empty -delete 2>/dev/null || true
}

uninstall() {
  rm -f "$launcher" "$desktop_file" "$icon_file"
  if [ "$purge" = yes ]; then
    rm -rf "$game_home"
    echo "Removed Zindrop 7 and every file in $game_home."
  elif [ -d "$game_home" ]; then
    remove_unchanged_game_files
    rm -f "$manifest"
    remove_empty_folders
    if [ -d "$game_home" ]; then
      echo "Removed Zindrop 7. Your profiles, settings and levels stay in $game_home"
      echo "(./install.sh --uninstall --purge removes them too)."
    else
      echo "Removed Zindrop 7."
    fi
  else
    echo "Removed Zindrop 7."
  fi
  refresh_desktop
}

install() {
  if [ -z "$from" ]; then
    source scripts/common.sh
    bash scripts/deps.sh "${BUILD_PACKAGES[@]}"
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build -j"$(nproc)" --target zindrop7
    from=build/game
  fi
  from=$(cd "$from" && pwd)
  if [ ! -x "$from/zindrop7" ]; then
    echo "install.sh: $from holds no game (zindrop7 is missing)" >&2
    exit 1
  fi

  mkdir -p "$game_home" "$bin_dir" "$(dirname "$desktop_file")" "$(dirname "$icon_file")"
  load_manifest
  local new_manifest installed_list
  new_manifest=$(mktemp)
  installed_list=$(mktemp)
  local kept=0
  while IFS= read -r -d '' file; do
    path=${file#"$from"/}
    target=$game_home/$path
    # A level-pack file that exists but is not the game's untouched copy is
    # the player's: an edited level, or one of their own of the same name.
    if [ -e "$target" ] && [[ "$path" == lvlpck* ]] && ! unchanged_game_file "$path"; then
      kept=$((kept + 1))
      continue
    fi
    mkdir -p "$(dirname "$target")"
    cp -p "$file" "$target.installing"
    mv -f "$target.installing" "$target"
    printf '%s\n' "$path" >> "$installed_list"
  done < <(find "$from" -type f ! -name settings.dat ! -name '*.alp' ! -name '*.sts' \
             ! -name 'temp*.zdl' ! -name 'tempstat.tmp' -print0 | sort -z)

  # Files an older version installed that this one no longer has go, unless
  # the player changed them.
  remove_unchanged_game_files "$installed_list"
  (cd "$game_home" && tr '\n' '\0' < "$installed_list" | xargs -0 -r sha256sum --) > "$new_manifest"
  rm -f "$installed_list"
  mv -f "$new_manifest" "$manifest"
  chmod 644 "$manifest"
  remove_empty_folders

  cat > "$launcher" <<EOF
#!/bin/sh
# Starts Zindrop 7 from its folder (installed by install.sh).
exec "$game_home/zindrop7" "\$@"
EOF
  chmod 755 "$launcher"

  cp "$game_home/zindrop7.png" "$icon_file"
  cat > "$desktop_file" <<EOF
[Desktop Entry]
Type=Application
Name=Zindrop 7
GenericName=Ball and puzzle game
Comment=Roll the ball over the board, pick up every flag and reach the exit
Exec="$launcher"
Icon=zindrop7
Terminal=false
Categories=Game;LogicGame;
Keywords=ball;puzzle;skill;levels;
EOF
  refresh_desktop

  echo "Installed Zindrop 7 in $game_home"
  [ "$kept" -gt 0 ] && echo "Kept $kept level file(s) you changed or made."
  case ":$PATH:" in
    *":$bin_dir:"*) echo "Start it from your desktop's menu or with: zindrop7" ;;
    *) echo "Start it from your desktop's menu or with: $launcher" ;;
  esac
}

if [ "$mode" = uninstall ]; then uninstall; else install; fi
