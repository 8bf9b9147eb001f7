#!/usr/bin/env bash
# Memory curve: drives the real program on its own virtual display (Xvfb with openbox), as a
# user would with the keyboard, opening and closing the About dialog and the
# WindowsDirectory dialog in turn, and prints the resident memory (and open descriptors)
# after every STEP rounds. A round opens and closes each dialog once.
#
# Usage: scripts/memory-curve.sh [ROUNDS [STEP]]     (defaults: 1100 rounds, step 100)
#   KIMORO=path      the program (default: build/bin/kimoro, built when missing)
#   KIMORO_WRAPPER  a command the program runs under, e.g. "heaptrack -o /tmp/kimoro"
#                    (the memory printed is then the wrapper's, not the program's)
#   KIMORO_A11Y=1    with a private D-Bus session and the AT-SPI registry, so that Qt's
#                    accessibility bridge is active as under a desktop with a screen reader
#
# A measuring script, not a test: it exits 0 whatever the curve is, non-zero only when it
# cannot measure (no program, no display, a dialog that does not come up).
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-1100}
step=${2:-100}
program=${KIMORO:-build/bin/kimoro}
[ -x "$program" ] || bash scripts/build.sh kimoro >&2

if [ "${KIMORO_A11Y:-0}" = 1 ] && [ -z "${MEMORY_CURVE_IN_BUS:-}" ]; then
  export MEMORY_CURVE_IN_BUS=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
  exec dbus-run-session -- bash "$0" "$@"
fi

source scripts/xsession.sh
start_virtual_display
pids_to_end=()
end_started() {
  for pid in "${pids_to_end[@]}"; do kill "$pid" 2>/dev/null || true; done
  kill "$WM_PID" "$XVFB_PID" 2>/dev/null || true
  wait "$XVFB_PID" 2>/dev/null || true
}
trap end_started EXIT
if [ "${KIMORO_A11Y:-0}" = 1 ]; then
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
  pids_to_end+=($!)
  sleep 1
fi

# One copy per user: a private network namespace keeps this copy apart from any other.
isolate=()
if unshare -n true 2>/dev/null; then isolate=(unshare -n); elif unshare -rn true 2>/dev/null; then isolate=(unshare -rn); fi
read -r -a wrapper <<<"${KIMORO_WRAPPER:-}"
"${isolate[@]}" "${wrapper[@]}" "$program" &
pid=$!
pids_to_end+=("$pid")

active() { xdotool getactivewindow 2>/dev/null || true; }
round=0
trap 'echo "memory-curve.sh: stopped in round $round: a command failed (did the program, the display or its window manager end?)" >&2' ERR
# Waits (up to 5 s) until the active window is, or is not, `$2`.
wait_active() {
  local want=$1 window=$2 now
  for _ in $(seq 500); do
    now=$(active)
    if [ "$want" = is ] && [ "$now" = "$window" ]; then return 0; fi
    if [ "$want" = not ] && [ -n "$now" ] && [ "$now" != "$window" ]; then return 0; fi
    kill -0 "$pid" 2>/dev/null || { echo "memory-curve.sh: the program ended in round $round" >&2; exit 2; }
    sleep 0.01
  done
  echo "memory-curve.sh: the window did not change as expected (round $round)" >&2
  exit 2
}

main=$(timeout 20 xdotool search --sync --onlyvisible --name 'きもろ' | head -n 1) || true
[ -n "$main" ] || { echo "memory-curve.sh: the program's main window did not appear" >&2; exit 2; }
wait_active is "$main"   # openbox gives a new window the focus
sleep 0.5

rss_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$pid/status"; }
fds() { find "/proc/$pid/fd" -mindepth 1 -maxdepth 1 | wc -l; }

echo "rounds (About + WindowsDirectory openings each)  RSS (KiB)  change since round $step (KiB)  fds"
printf '%6d  %8d  %8s  %3d\n' 0 "$(rss_kb)" - "$(fds)"
base=
for round in $(seq 1 "$rounds"); do
  xdotool key a
  wait_active not "$main"
  xdotool key Escape   # the About dialog's OK is its cancel button
  wait_active is "$main"
  xdotool key w
  wait_active not "$main"
  xdotool key Return   # the WindowsDirectory dialog's OK is its default button
  wait_active is "$main"
  if [ $((round % step)) -eq 0 ]; then
    sleep 0.3   # deferred deletions run
    rss=$(rss_kb)
    [ -n "$base" ] || base=$rss
    printf '%6d  %8d  %8d  %3d\n' "$round" "$rss" $((rss - base)) "$(fds)"
  fi
done
