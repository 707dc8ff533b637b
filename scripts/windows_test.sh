#!/usr/bin/env bash
# The Windows version, cross-built with mingw-w64 and tested under Wine, all
# on one virtual display (Xvfb):
#  1. the build: the libraries (from the cache after the first run), then
#     zindrop7.exe, zdltool.exe and zdtests.exe (build-windows/)
#  2. the unit and headless tests: zdtests.exe under Wine, in one run
#  3. the shipped levels: zdltool.exe builds them byte for byte as the Linux
#     tool does, and plays every solution to the Linux tool's result line
#  4. the real zindrop7.exe through its menus; its settings.dat must be the
#     bytes the Linux program writes for the same choices
#  5. ./package.sh windows, and its installer run silently under Wine:
#     install, play, update, uninstall, purge
# Prints how long each step took.
#
#   bash scripts/windows_test.sh [LINUX_BUILD]   (default build/, made by test.sh)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
linux_build=$(cd "${1:-$root/build}" && pwd)
# One virtual screen for every Windows program of the run: Wine keeps the
# screen its first program found. 800 x 600 is the game's first-start mode,
# which the end-to-end run needs both systems to list (see there).
if [ -z "${ZD_WINDOWS_DISPLAY:-}" ]; then
  exec env ZD_WINDOWS_DISPLAY=1 ZD_END_TO_END_DISPLAY=1 xvfb-run -a -s '-screen 0 800x600x24' \
    bash "$0" "$linux_build"
fi
source "$root/scripts/windows_common.sh"
source "$root/scripts/windows_wine.sh"
bash "$root/scripts/deps.sh" "${WINDOWS_PACKAGES[@]}" cpio
export SDL_AUDIODRIVER=dummy
build=$root/build-windows
started=$SECONDS
step_started=$SECONDS
timings=()
step_done() {
  timings+=("$1: $((SECONDS - step_started)) s")
  step_started=$SECONDS
}

echo "== Windows: build =="
bash "$root/scripts/windows_build.sh" "$build"
step_done build

wine_start
trap wine_stop EXIT

echo "== Windows: tests under Wine =="
# One run of zdtests.exe for every test: each start of a program under Wine
# costs seconds, so the tests are not started one by one through ctest. The
# tests that read a drawn frame back from the window are left out: under
# Wine the window's buffers read back black once the frame is presented
# (the frame itself is shown, as the end-to-end run below sees).
# The tests of the real audio device run in a process of their own: after
# the rest of the tests in the same process, SDL's audio thread under Wine
# stops mixing (alone they pass).
(cd "$build/tests" && wine_run 2400 zdtests.exe --gtest_brief=1 \
   --gtest_filter='-FrameGl.*:ShippedHudGl.*:AudioDeviceTest.*:RecordedMix.*' 2>"$build/tests/zdtests-stderr.txt")
(cd "$build/tests" && wine_run 600 zdtests.exe --gtest_brief=1 \
   --gtest_filter='AudioDeviceTest.*:RecordedMix.*' 2>>"$build/tests/zdtests-stderr.txt")
step_done "unit tests"

echo "== Windows: the shipped levels played by zdltool.exe =="
bash "$root/scripts/windows_levels.sh" "$linux_build" "$build"
step_done "levels"

echo "== Windows: the real program under Wine =="
bash "$root/scripts/windows_end_to_end.sh" "$build/game" "$linux_build/game"
step_done "end to end"

echo "== Windows: the packages and the installer =="
wine_stop
trap - EXIT
"$root/package.sh" windows
bash "$root/scripts/windows_install_test.sh" "$root/dist"
step_done "packages and installer"

echo "windows: $(IFS=,; echo "${timings[*]}" | sed 's/,/, /g'); total $((SECONDS - started)) s"
