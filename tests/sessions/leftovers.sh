#!/usr/bin/env bash
# The processes a test left running, found by a mark in their environment that every process
# a test starts inherits, also a daemon that leaves its parent (a speech server, an
# accessibility bus, Wine's): KIMORO_SESSION=FOLDER, a desktop session's temporary folder,
# and KIMORO_TEST_RUN=BUILD_DIR, set by ctest for the tests of a build.
#
#   leftovers.sh NAME=VALUE   ends the processes that carry the mark, naming them, and exits 1
#                             if there were any: the test run's last test
#   source leftovers.sh       for end_marked_processes NAME=VALUE, which a session calls as
#                             it ends

# The ids of the processes whose environment holds the mark, but this shell's and its
# ancestors', which may carry it too.
marked_processes() {
  local mark=$1 own=" " pid=$BASHPID process
  while [ "${pid:-0}" -gt 1 ]; do
    own+="$pid "
    pid=$(sed -n 's/^PPid:\t//p' "/proc/$pid/status" 2>/dev/null)
  done
  for process in /proc/[0-9]*; do
    pid=${process#/proc/}
    [[ $own == *" $pid "* ]] && continue
    if grep -qzxF -- "$mark" "$process/environ" 2>/dev/null; then echo "$pid"; fi
  done
}

# Ends them: SIGTERM, and SIGKILL for what still runs 2 s later (a speech server stuck on its
# sound output ignores SIGTERM). Prints the command line of each process ended.
end_marked_processes() {
  local pids pid
  pids=$(marked_processes "$1")
  [ -n "$pids" ] || return 0
  for pid in $pids; do
    echo "  $pid: $(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null)"
    kill -TERM "$pid" 2>/dev/null || true
  done
  for _ in $(seq 20); do
    pids=$(for pid in $pids; do if kill -0 "$pid" 2>/dev/null; then echo "$pid"; fi; done)
    [ -n "$pids" ] || return 0
    sleep 0.1
  done
  kill -KILL $pids 2>/dev/null || true
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  set -euo pipefail
  mark=${1:?usage: leftovers.sh NAME=VALUE}
  ended=$(end_marked_processes "$mark")
  if [ -n "$ended" ]; then
    echo "LEFT RUNNING by the tests (now ended), each with $mark in its environment:"
    echo "$ended"
    exit 1
  fi
  echo "leftovers: no process left with $mark"
fi
