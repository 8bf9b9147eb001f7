#!/usr/bin/env bash
# Runs a command inside a headless Wayland desktop session, as a user of that desktop has it:
#
#   desktop-session.sh mutter|kwin [x11|wayland] -- COMMAND...
#
# mutter is GNOME's compositor, kwin_wayland KDE Plasma's; each runs with XWayland. The command
# gets the session's environment: WAYLAND_DISPLAY, DISPLAY (XWayland), XDG_RUNTIME_DIR (a private
# one), XDG_SESSION_TYPE=wayland, XDG_CURRENT_DESKTOP and a session bus of its own. With
# "wayland" DISPLAY is left out, as in a session without an X server. Prints what fails and
# exits with the command's status, or 2 when the session does not come up, once every process
# of the session has ended.
set -euo pipefail

compositor=${1:?usage: desktop-session.sh mutter|kwin [x11|wayland] -- COMMAND...}
shift
clients=x11
if [ "${1:-}" = x11 ] || [ "${1:-}" = wayland ]; then
  clients=$1
  shift
fi
[ "${1:-}" = -- ] && shift
[ $# -gt 0 ] || { echo "desktop-session: no command given" >&2; exit 2; }

fail() {
  echo "desktop-session: $compositor: $*" >&2
  [ -f "$work/compositor.log" ] && tail -n 20 "$work/compositor.log" | sed 's/^/  | /' >&2
  exit 2
}

source "$(dirname "$0")/leftovers.sh"
source "$(dirname "$0")/../../scripts/xsession.sh"  # for answers_within
work=$(mktemp -d /tmp/kimoro-session-XXXXXX)
# Every process of the session carries the mark, also those that leave their parent; what
# outlives the command is ended with the session.
export KIMORO_SESSION=$work
compositor_pid=
bus_pid=
x_socket=
stop() {
  set +e
  if [ -n "$compositor_pid" ]; then
    kill "$compositor_pid" 2>/dev/null
    wait "$compositor_pid" 2>/dev/null
  fi
  [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null
  end_marked_processes "KIMORO_SESSION=$work" >/dev/null
  [ -n "$x_socket" ] && rm -f "$x_socket"
  rm -rf "$work"
}
trap stop EXIT

# The X servers' socket directory, as the system makes it at boot: mutter refuses one that not
# everybody can write to, as a directory made under the usual umask is.
[ -d /tmp/.X11-unix ] || install -d -m 1777 /tmp/.X11-unix
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 0700 "$XDG_RUNTIME_DIR"
export XDG_SESSION_TYPE=wayland
export WAYLAND_DISPLAY="wayland-kimoro"
unset DISPLAY XAUTHORITY QT_QPA_PLATFORM

# A session bus of its own: the compositors publish their interfaces there, and the
# accessibility bus is started from it on demand. A child of this script, not a daemon: a
# test run that kills the script on a timeout kills it too.
dbus-daemon --session --nofork --print-address=1 >"$work/bus" &
bus_pid=$!
answers_within 100 "$bus_pid" test -s "$work/bus" || fail "no session bus"
export DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$work/bus")
[ -n "$DBUS_SESSION_BUS_ADDRESS" ] || fail "no session bus"

case $compositor in
  mutter)
    export XDG_CURRENT_DESKTOP=GNOME
    mutter --headless --wayland --wayland-display="$WAYLAND_DISPLAY" \
      --virtual-monitor 1024x768 >"$work/compositor.log" 2>&1 &
    compositor_pid=$!
    answers_within 100 "$compositor_pid" grep -q 'Using public X11 display' "$work/compositor.log" ||
      fail "ended at start, or names no X display"
    display=$(sed -n 's/.*Using public X11 display \(:[0-9]*\).*/\1/p' "$work/compositor.log")
    export DISPLAY=$display
    XAUTHORITY=$(ls "$XDG_RUNTIME_DIR"/.mutter-Xwaylandauth.* 2>/dev/null | head -n 1)
    export XAUTHORITY
    ;;
  kwin)
    export XDG_CURRENT_DESKTOP=KDE
    export KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1  # the tests take screenshots when asked
    # /usr/bin/kwin_wayland carries a file capability that containers may refuse to execute;
    # a copy without it behaves the same.
    cp "$(command -v kwin_wayland)" "$work/kwin_wayland"
    python3 "$(dirname "$0")/kwin-xwayland.py" "$work/kwin_wayland" --virtual \
      --width 1024 --height 768 --socket "$WAYLAND_DISPLAY" \
      >"$work/display" 2>"$work/compositor.log" &
    compositor_pid=$!
    answers_within 50 "$compositor_pid" test -s "$work/display" || fail "names no X display"
    display=$(head -n 1 "$work/display")
    export DISPLAY=$display
    x_socket="/tmp/.X11-unix/X${display#:}"
    ;;
  *)
    echo "desktop-session: no such compositor: $compositor (mutter or kwin)" >&2
    exit 2
    ;;
esac

answers_within 100 "$compositor_pid" test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ||
  fail "its Wayland display does not come up"
answers_within 100 "$compositor_pid" xdpyinfo || fail "its X display $DISPLAY does not answer"

if [ "$clients" = wayland ]; then
  unset DISPLAY XAUTHORITY
fi
export KIMORO_SESSION_LOG="$work/compositor.log"
status=0
"$@" || status=$?
exit "$status"
