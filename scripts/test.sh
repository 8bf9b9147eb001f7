#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test on a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
source scripts/xsession.sh
start_virtual_display
# The program allows one copy per user, named in the abstract socket namespace. A private
# network namespace, where one can be had, keeps the tests apart from a copy the user has
# open; the display is reached through its socket file either way.
isolate=()
if unshare -n true 2>/dev/null; then
  isolate=(unshare -n)
elif unshare -rn true 2>/dev/null; then
  isolate=(unshare -rn)
fi
"${isolate[@]}" ctest --preset default "$@"
