#!/usr/bin/env bash
# Runs a command in an X11 desktop session, as Xfce, MATE or LXQt users have it: a session bus of
# its own, from which the accessibility bus is started on demand, and a virtual X display with
# a window manager (scripts/xsession.sh: Xvfb and openbox). Exits with the command's status,
# once every process of the session has ended.
#
#   x11-session.sh COMMAND...
set -euo pipefail
[ $# -gt 0 ] || { echo "x11-session: no command given" >&2; exit 2; }
sessions=$(cd "$(dirname "$0")" && pwd)
xsession=$sessions/../../scripts/xsession.sh
source "$sessions/leftovers.sh"
# Every process of the session carries the mark, also those that leave their parent; what
# outlives the command is ended with the session.
KIMORO_SESSION=$(mktemp -d /tmp/kimoro-session-XXXXXX)
export KIMORO_SESSION
end_session() {
  end_marked_processes "KIMORO_SESSION=$KIMORO_SESSION" >/dev/null
  rm -rf "$KIMORO_SESSION"
}
trap end_session EXIT
unset WAYLAND_DISPLAY
export XDG_SESSION_TYPE=x11
status=0
dbus-run-session -- bash -c 'source "$0" && start_virtual_display && "$@"' "$xsession" "$@" ||
  status=$?
exit "$status"
