#!/usr/bin/env bash
# The program's package on Debian 13 (Qt 6.8, mutter 48, KWin 6): built here, installed into a
# Debian 13 tree, and the window tests run there in headless GNOME and KDE Plasma sessions, as
# an X11 client through XWayland and as a native Wayland client, and the Orca screen reader's
# test in an X11 session and in the GNOME session.
#
#   debian13-sessions.sh --prepare BUILD_DIR   builds the package and makes or updates the
#                                              tree in BUILD_DIR/debian13 (needs the network)
#   debian13-sessions.sh BUILD_DIR             runs the tests of BUILD_DIR in that tree
set -euo pipefail
prepare=no
if [ "${1:-}" = --prepare ]; then
  prepare=yes
  shift
fi
build=$(cd "${1:?usage: debian13-sessions.sh [--prepare] BUILD_DIR}" && pwd)
cd "$(dirname "$0")/../.."
tree=(bash tests/sessions/debian13.sh --root "$build/debian13")

if [ "$prepare" = yes ]; then
  [ -f build-package/CMakeCache.txt ] || cmake --preset package >/dev/null
  cmake --build build-package >/dev/null
  (cd build-package && cpack -G DEB >/dev/null)
  exec "${tree[@]}" --deb "$(ls build-package/kimoro_*_amd64.deb)"
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "debian13-sessions: skipped: only root can enter the Debian 13 tree"
  exit 77
fi
[ -x "$build/debian13/usr/games/kimoro" ] ||
  { echo "debian13-sessions: no Debian 13 tree with the package; run with --prepare first" >&2; exit 1; }
# The tree's commands start in a clean environment: the test run's mark goes along.
mark=()
[ -n "${KIMORO_TEST_RUN:-}" ] && mark=(KIMORO_TEST_RUN="$KIMORO_TEST_RUN")
status=0
for compositor in mutter kwin; do
  for clients in x11 wayland; do
    tests=$build/bin/process_tests
    [ "$clients" = wayland ] && tests=$build/bin/session_tests
    echo "=== Debian 13, $compositor, $clients client"
    "${tree[@]}" KIMORO_PROGRAM=/usr/games/kimoro "${mark[@]}" \
      bash tests/sessions/desktop-session.sh "$compositor" "$clients" -- "$tests" || status=1
  done
done
echo "=== Debian 13, Orca, X11 session"
"${tree[@]}" "${mark[@]}" bash tests/sessions/x11-session.sh \
  python3 tests/sessions/orca-speech.py /usr/games/kimoro || status=1
echo "=== Debian 13, Orca, mutter, wayland client"
"${tree[@]}" "${mark[@]}" bash tests/sessions/desktop-session.sh mutter x11 -- \
  python3 tests/sessions/orca-speech.py --wayland-client /usr/games/kimoro || status=1
exit "$status"
