#!/usr/bin/env bash
# Startup benchmark: time from exec until the main window is mapped, and the
# resident memory at that moment, for kimoro next to a minimal Qt Widgets
# program showing the same main window (bench/minimal_window.cpp), on a private
# Xvfb server. With --win32, the Windows build instead: kimoro.exe next to a
# minimal Win32 program (bench/win32/minimal_window.cpp), both under the same
# Wine prefix, plus the stripped exe's size and the DLLs it imports.
#
# Usage: scripts/bench.sh [--wm none|openbox] [--win32] [BUILD_DIR] [RUNS]
#   BUILD_DIR  build tree holding bin/{kimoro,minimal_window,mapwatch} (default: build;
#              with --win32, build-win32, and mapwatch comes from build)
#   RUNS       measured runs per program (default: 20)
#   --wm       window manager on the Xvfb display (default: none)
#
# This is a report: it exits 0 whatever the ratios are, and non-zero only when
# it cannot measure at all (missing binaries, no X server).
set -u

GOAL_TIME=1.15
GOAL_RSS=1.25
GOAL_EXE_KB=512
PAUSE=${BENCH_PAUSE:-0.3} # lets the previous process and server state settle

repo_root=$(cd "$(dirname "$0")/.." && pwd)
wm=none
win32=no
args=()
while [ $# -gt 0 ]; do
    case "$1" in
        --wm) wm=${2:-}; shift 2 || { echo "bench.sh: --wm needs a value" >&2; exit 2; } ;;
        --wm=*) wm=${1#--wm=}; shift ;;
        --win32) win32=yes; shift ;;
        -h|--help) sed -n '2,17p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
        *) args+=("$1"); shift ;;
    esac
done
if [ "$win32" = yes ]; then
    build_dir=${args[0]:-$repo_root/build-win32}
else
    build_dir=${args[0]:-$repo_root/build}
fi
build_dir=$(realpath -m "$build_dir")  # Wine takes only an absolute prefix path
runs=${args[1]:-20}
case "$wm" in none|openbox) ;; *) echo "bench.sh: --wm must be none or openbox" >&2; exit 2 ;; esac
case "$runs" in ''|*[!0-9]*|0) echo "bench.sh: RUNS must be a positive integer" >&2; exit 2 ;; esac

bin=$build_dir/bin
if [ "$win32" = yes ]; then
    program=$bin/kimoro.exe
    baseline=$bin/minimal_window.exe
    mapwatch=$repo_root/build/bin/mapwatch
    # Wine draws the frames in the test prefix, so its windows are override-redirect.
    launch=("$mapwatch" --unmanaged env LC_ALL=ja_JP.UTF-8 /usr/lib/wine/wine64)
    if [ ! -x "$mapwatch" ]; then
        echo "bench.sh: building mapwatch in $repo_root/build" >&2
        [ -f "$repo_root/build/CMakeCache.txt" ] || cmake --preset default -S "$repo_root" >&2
        cmake --build "$repo_root/build" --target mapwatch >&2
    fi
    if [ ! -x "$program" ] || [ ! -x "$baseline" ]; then
        echo "bench.sh: building missing targets in $build_dir" >&2
        [ -f "$build_dir/CMakeCache.txt" ] || cmake --preset win32 -S "$repo_root" >&2
        cmake --build "$build_dir" --target kimoro minimal_window >&2
    fi
else
    program=$bin/kimoro
    baseline=$bin/minimal_window
    mapwatch=$bin/mapwatch
    launch=("$mapwatch")
fi

missing=0
for f in "$program" "$baseline" "$mapwatch"; do [ -x "$f" ] || missing=1; done
if [ "$missing" = 1 ] && [ -d "$build_dir" ] && [ "$win32" = no ]; then
    echo "bench.sh: building missing targets in $build_dir" >&2
    cmake --build "$build_dir" --target kimoro minimal_window mapwatch >&2
fi
for f in "$program" "$baseline" "$mapwatch"; do
    if [ ! -x "$f" ]; then
        echo "bench.sh: $f not found; configure and build first, e.g.: cmake -S . -B build && cmake --build build" >&2
        exit 2
    fi
done

work=$(mktemp -d /tmp/kimoro-bench.XXXXXX)
xvfb_pid=
wm_pid=
# shellcheck disable=SC2317 # only reached through the trap
cleanup() {
    if [ -n "$wm_pid" ]; then kill "$wm_pid" 2>/dev/null; wait "$wm_pid" 2>/dev/null; fi
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# --- private X server ------------------------------------------------------
display=
for n in $(seq 91 150); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -nolisten tcp -screen 0 1280x1024x24 >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 1 100); do
        if ! kill -0 "$xvfb_pid" 2>/dev/null; then break; fi # lost a race for :$n
        if command -v xdpyinfo >/dev/null; then
            xdpyinfo -display ":$n" >/dev/null 2>&1 && { display=":$n"; break; }
        elif [ -S "/tmp/.X11-unix/X$n" ]; then
            display=":$n"; break
        fi
        sleep 0.05
    done
    [ -n "$display" ] && break
    kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; xvfb_pid=
done
if [ -z "$display" ]; then
    echo "bench.sh: could not start Xvfb (see below)" >&2
    cat "$work/xvfb.log" >&2 2>/dev/null
    exit 2
fi
export DISPLAY=$display

if [ "$wm" = openbox ]; then
    openbox >"$work/wm.log" 2>&1 &
    wm_pid=$!
    # Windows mapped before the WM manages the screen would not be framed.
    for _ in $(seq 1 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.05
    done
fi

# Same environment for both programs. Runtime/config/data/cache go to a scratch
# dir so runs do not touch (or depend on) the invoking user's files; a private
# runtime dir also leaves the program nothing to work around. The baseline
# switches off the D-Bus auto-launch as the program does.
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY
mkdir -m 700 "$work/runtime" "$work/config" "$work/data" "$work/cache"
export XDG_RUNTIME_DIR=$work/runtime
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_CACHE_HOME=$work/cache

if [ "$win32" = yes ]; then
    # The tests' prefix, with its server and services up before the first run.
    # shellcheck source=scripts/wine.sh
    source "$repo_root/scripts/wine.sh"
    prepare_wine_prefix "$build_dir/wineprefix"
fi

log=$work/runs.log
: >"$work/program.dat"
: >"$work/baseline.dat"
fail_program=0
fail_baseline=0

# run_one NAME BINARY [record]: one measurement, appended to $work/NAME.dat.
run_one() {
    local name=$1 exe=$2 record=${3:-yes} out
    echo "--- $name" >>"$log"
    if out=$("${launch[@]}" "$exe" 2>>"$log") && [[ $out =~ ms=([0-9.]+)\ rss_kb=([0-9]+) ]]; then
        [ "$record" = yes ] && echo "${BASH_REMATCH[1]} ${BASH_REMATCH[2]}" >>"$work/$name.dat"
        printf '.' >&2
    else
        if [ "$record" = yes ]; then
            if [ "$name" = program ]; then fail_program=$((fail_program + 1)); else fail_baseline=$((fail_baseline + 1)); fi
        fi
        printf 'x' >&2
    fi
    sleep "$PAUSE"
}

echo "bench.sh: Xvfb $display, window manager: $wm, $runs runs each (+1 warm-up each, not counted)" >&2
[ "$win32" = yes ] && echo "bench.sh: under $(/usr/lib/wine/wine64 --version 2>/dev/null), prefix $WINEPREFIX" >&2
# Warm-up fills the page cache for both, so neither pays the cold start alone.
run_one program "$program" no
run_one baseline "$baseline" no
# Alternate, and swap the order every round, so slow drift and "who ran
# just before" affect both programs alike.
for i in $(seq 1 "$runs"); do
    if [ $((i % 2)) = 1 ]; then
        run_one program "$program"; run_one baseline "$baseline"
    else
        run_one baseline "$baseline"; run_one program "$program"
    fi
done
echo >&2

# stats FILE -> "n median_ms min_ms max_ms median_rss" (n=0 when empty)
stats() {
    local f=$1 n ms rss lo hi median
    n=$(wc -l <"$f")
    if [ "$n" -eq 0 ]; then echo "0 - - - -"; return; fi
    # shellcheck disable=SC2016 # awk program, not shell
    median='{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
    ms=$(cut -d' ' -f1 "$f" | sort -g | awk "$median")
    rss=$(cut -d' ' -f2 "$f" | sort -g | awk "$median")
    read -r lo hi < <(cut -d' ' -f1 "$f" | sort -g | awk 'NR == 1 { lo = $1 } { hi = $1 } END { print lo, hi }')
    echo "$n $ms $lo $hi $rss"
}

read -r p_n p_ms p_min p_max p_rss < <(stats "$work/program.dat")
read -r b_n b_ms b_min b_max b_rss < <(stats "$work/baseline.dat")

echo
echo "Startup to first mapped window (Xvfb, wm: $wm), runs per program: $runs"
printf '%-20s %5s %6s %10s %9s %9s %14s\n' program ok failed median_ms min_ms max_ms median_rss_kb
row() {
    if [ "$2" -eq 0 ]; then
        printf '%-20s %5s %6s %10s %9s %9s %14s\n' "$1" 0 "$3" - - - -
    else
        printf '%-20s %5d %6d %10.1f %9.1f %9.1f %14.0f\n' "$1" "$2" "$3" "$4" "$5" "$6" "$7"
    fi
}
row "$(basename "$program")" "$p_n" "$fail_program" "$p_ms" "$p_min" "$p_max" "$p_rss"
row "$(basename "$baseline")" "$b_n" "$fail_baseline" "$b_ms" "$b_min" "$b_max" "$b_rss"
echo

verdict() { # verdict LABEL PROGRAM BASELINE GOAL
    if [ "$p_n" -eq 0 ] || [ "$b_n" -eq 0 ]; then
        printf '%-14s ratio    n/a (goal <= %s) FAIL (no successful runs)\n' "$1" "$4"
        return
    fi
    awk -v l="$1" -v p="$2" -v b="$3" -v g="$4" 'BEGIN {
        r = p / b
        printf "%-14s ratio %6.3f (goal <= %s) %s\n", l, r, g, (r <= g ? "PASS" : "FAIL")
    }'
}
verdict "median time" "$p_ms" "$b_ms" "$GOAL_TIME"
verdict "median memory" "$p_rss" "$b_rss" "$GOAL_RSS"

if [ "$win32" = yes ]; then
    # What ships is the stripped exe: its size, and the DLLs it needs (all the system's own).
    echo
    for exe in "$program" "$baseline"; do
        x86_64-w64-mingw32-strip -o "$work/stripped.exe" "$exe"
        size=$(stat -c %s "$work/stripped.exe")
        imports=$(x86_64-w64-mingw32-objdump -p "$work/stripped.exe" |
            sed -n 's/^\s*DLL Name: //p' | sort -f | paste -sd ' ')
        printf '%-20s stripped %7d bytes (%5.1f KB)  imports: %s\n' \
            "$(basename "$exe")" "$size" "$(awk -v s="$size" 'BEGIN { print s / 1024 }')" "$imports"
        [ "$exe" = "$program" ] && program_kb=$(awk -v s="$size" 'BEGIN { print s / 1024 }')
    done
    awk -v kb="$program_kb" -v g="$GOAL_EXE_KB" 'BEGIN {
        printf "%-14s %9.1f KB (goal <= %s KB) %s\n", "stripped exe", kb, g, (kb <= g ? "PASS" : "FAIL")
    }'
fi

if [ $((fail_program + fail_baseline)) -gt 0 ]; then
    echo
    echo "Some runs failed; last lines of the run log:"
    tail -n 15 "$log"
fi
exit 0
