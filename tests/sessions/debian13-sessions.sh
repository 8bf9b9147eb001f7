#!/usr/bin/env bash
# The program's package on Debian 13 (Qt 6.8, mutter 48, KWin 6): built here, installed into a
# Debian 13 tree, and the window tests run there in headless GNOME and KDE Plasma sessions, as
# an X11 client through XWayland and as a native Wayland client.
#
#   debian13-sessions.sh BUILD_DIR    (the build with process_tests and session_tests)
set -euo pipefail
build=$(cd "${1:?usage: debian13-sessions.sh BUILD_DIR}" && pwd)
cd "$(dirname "$0")/../.."

[ -f build-package/CMakeCache.txt ] || cmake --preset package >/dev/null
cmake --build build-package >/dev/null
(cd build-package && cpack -G DEB >/dev/null)
deb=$(ls build-package/kimoro_*_amd64.deb)

status=0
for compositor in mutter kwin; do
  for clients in x11 wayland; do
    tests=$build/bin/process_tests
    [ "$clients" = wayland ] && tests=$build/bin/session_tests
    echo "=== Debian 13, $compositor, $clients client"
    bash tests/sessions/debian13.sh --root "$build/debian13" --deb "$deb" \
      KIMORO_PROGRAM=/usr/games/kimoro \
      bash tests/sessions/desktop-session.sh "$compositor" "$clients" -- unshare -n "$tests" ||
      status=1
  done
done
exit "$status"
