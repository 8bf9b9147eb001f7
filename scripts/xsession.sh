# Sourced: starts Xvfb with openbox on a free display and exports DISPLAY; both stop when
# the sourcing shell exits.
start_virtual_display() {
  local number ready
  for number in $(seq 90 140); do
    [ -e "/tmp/.X${number}-lock" ] || [ -e "/tmp/.X11-unix/X${number}" ] && continue
    Xvfb ":${number}" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    ready=no
    for _ in $(seq 50); do
      # A server that lost the race for this number exits; try the next one.
      kill -0 "$XVFB_PID" 2>/dev/null || break
      DISPLAY=":${number}" xdpyinfo >/dev/null 2>&1 && { ready=yes; break; }
      sleep 0.1
    done
    [ "$ready" = yes ] && kill -0 "$XVFB_PID" 2>/dev/null && break
    kill "$XVFB_PID" 2>/dev/null
  done
  export DISPLAY=":${number}"
  openbox >/dev/null 2>&1 &
  WM_PID=$!
  for _ in $(seq 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
  done
  trap 'kill $WM_PID $XVFB_PID 2>/dev/null; wait $XVFB_PID 2>/dev/null' EXIT
}
