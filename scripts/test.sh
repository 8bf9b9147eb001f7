#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test on a virtual display: the
# Linux build natively, then the Windows build under Wine. Arguments go to both ctest runs.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
[ -f build-win32/CMakeCache.txt ] || cmake --preset win32 >/dev/null
cmake --build build-win32
# The package in a Debian 13 tree, for its tests in Debian 13's desktop sessions: made here,
# where the network is, before the tests run in a namespace without one. Only root can.
if [ "$(id -u)" -eq 0 ]; then
  bash tests/sessions/debian13-sessions.sh --prepare build
else
  echo "Not root: the tests on Debian 13 are skipped (debootstrap and chroot need root)."
fi
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
# Tests that share the program's one instance or the display hold a CTest resource lock;
# the rest run side by side.
jobs=(-j "$(nproc)")
status=0
"${isolate[@]}" ctest --preset default "${jobs[@]}" "$@" || status=$?

# The Windows build's tests, in its private Japanese-locale prefix on the same display.
source scripts/wine.sh
prepare_wine_prefix "$PWD/build-win32/wineprefix"
ctest --preset win32 "${jobs[@]}" "$@" || status=$?
exit "$status"
