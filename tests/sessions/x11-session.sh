#!/usr/bin/env bash
# Runs a command in an X11 desktop session, as Xfce, MATE or LXQt users have it: a session bus of
# its own, from which the accessibility bus is started on demand, and a virtual X display with
# a window manager (scripts/xsession.sh: Xvfb and openbox). Exits with the command's status.
#
#   x11-session.sh COMMAND...
set -euo pipefail
[ $# -gt 0 ] || { echo "x11-session: no command given" >&2; exit 2; }
xsession=$(cd "$(dirname "$0")/../../scripts" && pwd)/xsession.sh
unset WAYLAND_DISPLAY
export XDG_SESSION_TYPE=x11
exec dbus-run-session -- bash -c 'source "$0" && start_virtual_display && "$@"' "$xsession" "$@"
