#!/usr/bin/env bash
# Installs what is missing, builds and runs the program: the Linux build, or with "win32"
# kimoro.exe under Wine. Without a display it runs the program on a virtual one, saves a
# screenshot of the main window and ends it.
#
# Usage: bash scripts/run.sh [win32]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

if [ "${1:-}" = win32 ]; then
  [ -f build-win32/CMakeCache.txt ] || cmake --preset win32 >/dev/null
  cmake --build build-win32 --target kimoro
  build=build-win32
  program=(env LC_ALL=ja_JP.UTF-8 /usr/lib/wine/wine64 build-win32/bin/kimoro.exe)
else
  bash scripts/build.sh kimoro
  build=build
  program=(build/bin/kimoro)
fi

have_display=no
[ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1 && have_display=yes
[ "$have_display" = yes ] || { source scripts/xsession.sh; start_virtual_display; }
if [ "$build" = build-win32 ]; then
  # The tests' Japanese-locale prefix; its server stops when this script ends.
  source scripts/wine.sh
  prepare_wine_prefix "$PWD/build-win32/wineprefix"
fi

if [ "$have_display" = yes ]; then
  [ "$build" = build ] && exec "${program[@]}"
  "${program[@]}"  # not exec: the Wine server is stopped after it
  exit
fi

"${program[@]}" &
pid=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --pid "$pid" --name 'きもろ' | head -n 1)
sleep 0.5
mkdir -p "$build/screenshots"
shot="$PWD/$build/screenshots/main-window.png"
import -window "$window" -frame "$shot"
echo "No display: ran the program on a virtual display; its main window is in $shot"
kill "$pid"
wait "$pid" 2>/dev/null || true
