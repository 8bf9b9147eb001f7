#!/usr/bin/env bash
# Installs what is missing, builds and runs the program. Without a display it runs the
# program on a virtual one, saves a screenshot of the main window and ends it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh kimoro

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec build/bin/kimoro
fi

source scripts/xsession.sh
start_virtual_display
build/bin/kimoro &
program=$!
window=$(xdotool search --sync --onlyvisible --pid "$program" --name 'きもろ' | head -n 1)
sleep 0.5
mkdir -p build/screenshots
shot="$PWD/build/screenshots/main-window.png"
import -window "$window" -frame "$shot"
echo "No display: ran the program on a virtual display; its main window is in $shot"
kill "$program"
wait "$program" 2>/dev/null || true
