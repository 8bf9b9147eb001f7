# Sourced: starts Xvfb with a window manager (openbox, or the one named as the argument of
# start_virtual_display) on a free display and exports DISPLAY; both stop when the sourcing
# shell exits. start_virtual_display returns only once both answer: the X
# server, and the window manager as wmctrl asks it (the tests ask the same). A start that
# fails is tried again on another display; after three failures it says what failed and
# returns 1.
XVFB_PID=
WM_PID=
WM_LOG=

stop_virtual_display() {
  if [ -n "$WM_PID" ]; then kill "$WM_PID" 2>/dev/null || true; fi
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
  fi
  if [ -n "$WM_LOG" ]; then rm -f "$WM_LOG"; fi
  WM_PID= XVFB_PID= WM_LOG=
}

# Runs the command after the first two arguments every tenth of a second, at most $1 times,
# until it succeeds; fails at once when process $2 has ended.
answers_within() {
  local tries=$1 pid=$2
  shift 2
  for _ in $(seq "$tries"); do
    kill -0 "$pid" 2>/dev/null || return 1
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

start_virtual_display() {
  local manager=${1:-openbox} attempt number failure
  trap stop_virtual_display EXIT
  for attempt in 1 2 3; do
    for number in $(seq 90 140); do
      [ -e "/tmp/.X${number}-lock" ] || [ -e "/tmp/.X11-unix/X${number}" ] || break
    done
    Xvfb ":${number}" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    if ! answers_within 100 "$XVFB_PID" env DISPLAY=":${number}" xdpyinfo; then
      # A server that lost the race for this number has ended.
      failure="the X server (Xvfb :${number}) ended at once"
      if kill -0 "$XVFB_PID" 2>/dev/null; then
        failure="the X server (Xvfb :${number}) did not answer within 10 s"
      fi
    else
      export DISPLAY=":${number}"
      WM_LOG=$(mktemp)
      "$manager" >"$WM_LOG" 2>&1 &
      WM_PID=$!
      if answers_within 100 "$WM_PID" wmctrl -m; then
        rm -f "$WM_LOG"  # what it says later goes nowhere
        WM_LOG=
        return 0
      fi
      failure="the window manager (${manager} on :${number}) ended"
      if kill -0 "$WM_PID" 2>/dev/null; then
        failure="the window manager (${manager} on :${number}) did not answer within 10 s"
      fi
      if [ -s "$WM_LOG" ]; then failure+="; it said: $(tail -n 5 "$WM_LOG")"; fi
    fi
    stop_virtual_display
    [ "$attempt" = 3 ] || echo "virtual display, attempt ${attempt}: ${failure}; trying again" >&2
  done
  echo "NO VIRTUAL DISPLAY after three attempts: ${failure}" >&2
  return 1
}
