#!/usr/bin/env bash
# Builds the packages players download, under dist/.
#
#   ./package.sh windows   the Windows version: a portable zip of the game
#                          folder and a per-user installer (NSIS), cross-built
#                          here with mingw-w64
#   ./package.sh linux     the Linux game folder as a tar archive
#
# ZD_VERSION names the version (default 1.0.0). Every file in a package
# carries the time of the last commit, so that the same sources give the same
# files, and the installer can tell the game's files from the player's.
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)
version=${ZD_VERSION:-1.0.0}
dist=$root/dist

usage() { sed -n '2,11p' "$0" | sed 's/^# \{0,1\}//'; }

# The time every packaged file carries.
stamp=$(git log -1 --format=%ct 2>/dev/null || date +%s)

# stage FROM TO: copies a built game folder without what a run of the game
# leaves in it (settings, profiles, statistics, the last run, scratch files).
stage() {
  rm -rf "$2"
  mkdir -p "$2"
  (cd "$1" && find . -type f ! -name settings.dat ! -name '*.alp' ! -name '*.sts' ! -name lastrun.zrp \
      ! -name 'temp*.zdl' ! -name '*.tmp' -print0 | sort -z | cpio -0pdm --quiet "$2")
}

stamp_files() { find "$1" -exec touch -h -d "@$stamp" {} +; }

package_linux() {
  source scripts/common.sh
  bash scripts/deps.sh "${BUILD_PACKAGES[@]}" cpio
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build -j"$(nproc)" --target zindrop7 zdltool
  local work=$dist/stage-linux
  stage build/game "$work/zindrop7"
  cp build/zdltool "$work/zindrop7/"
  stamp_files "$work"
  local archive=$dist/zindrop7-$version-linux-x86_64.tar.gz
  tar -C "$work" --sort=name --owner=0 --group=0 --numeric-owner -czf "$archive" zindrop7
  rm -rf "$work"
  echo "package: $archive"
}

# The installer's file lists, written for the NSIS script: what to install
# (levels with "keep the player's"), what the uninstaller removes, and the
# folders it tidies.
write_installer_lists() {
  local folder=$1 lists=$2
  : > "$lists/install.nsh"
  : > "$lists/uninstall.nsh"
  local current=""
  while IFS= read -r -d '' file; do
    local path=${file#./}
    local dir
    dir=$(dirname "$path")
    local windows_path=${path//\//\\}
    if [ "$dir" != "$current" ]; then
      if [ "$dir" = . ]; then echo 'SetOutPath "$INSTDIR"'; else echo "SetOutPath \"\$INSTDIR\\${dir//\//\\}\""; fi
      current=$dir
    fi >> "$lists/install.nsh"
    if [[ "$path" == lvlpck* ]]; then
      echo "!insertmacro LevelFile \"$folder/$path\" \"$windows_path\"" >> "$lists/install.nsh"
      echo "!insertmacro RemoveLevelFile \"$windows_path\"" >> "$lists/uninstall.nsh"
    else
      echo "File \"$folder/$path\"" >> "$lists/install.nsh"
      echo "Delete \"\$INSTDIR\\$windows_path\"" >> "$lists/uninstall.nsh"
    fi
  done < <(cd "$folder" && find . -type f -print0 | sort -z)
  # Folders deepest first; each goes only when it is empty.
  (cd "$folder" && find . -mindepth 1 -type d | sort -r) | while IFS= read -r dir; do
    dir=${dir#./}
    echo "RMDir \"\$INSTDIR\\${dir//\//\\}\""
  done >> "$lists/uninstall.nsh"
}

package_windows() {
  source scripts/windows_common.sh
  bash scripts/deps.sh "${WINDOWS_PACKAGES[@]}" cpio
  bash scripts/windows_build.sh "$root/build-windows" zindrop7 zdltool
  local work=$dist/stage-windows
  stage build-windows/game "$work/zindrop7"
  cp build-windows/zdltool.exe "$work/zindrop7/"
  stamp_files "$work"
  local zip_file=$dist/zindrop7-$version-windows-x64.zip
  rm -f "$zip_file"
  (cd "$work" && zip -qrX "$zip_file" zindrop7)
  echo "package: $zip_file"

  mkdir -p "$work/lists"
  write_installer_lists "$work/zindrop7" "$work/lists"
  local setup=$dist/zindrop7-$version-windows-x64.exe
  makensis -V2 -NOCD -DVERSION="$version" -DOUTFILE="$setup" -DFILES="$work/lists/install.nsh" \
    -DUNFILES="$work/lists/uninstall.nsh" -DICON="$root/build-windows/zindrop7.ico" \
    "$root/scripts/windows_installer.nsi"
  rm -rf "$work"
  echo "package: $setup"
}

case "${1:-}" in
  windows) package_windows ;;
  linux) package_linux ;;
  -h|--help) usage ;;
  *) usage >&2; exit 2 ;;
esac
