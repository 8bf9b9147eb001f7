#!/usr/bin/env bash
# The Windows installer under Wine: a silent install for the current user, the program
# started from its Start-menu entry, a silent uninstall, and then nothing left behind: no
# file, no Start-menu entry, no registry key.
#
#   bash tests/packaging/installer-test.sh [INSTALLER.exe]
#
# Without an installer it tests one it makes itself, from a stand-in kimoro.exe
# (standin-kimoro.cpp) built with mingw-w64. It uses a private Wine prefix in a scratch
# directory, and the X display in DISPLAY or else a virtual one of its own.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
title=${KIMORO_WINDOW_TITLE:-きもろ}  # the main window's title

work=$(mktemp -d "${TMPDIR:-/tmp}/kimoro-installer-test.XXXXXX")
export WINEPREFIX="$work/prefix" WINEARCH=win64 WINEDEBUG=-all
# No Mono or Gecko prompts; no menu entries written into the real home for the shortcut.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# A Japanese prefix (code page 932), as the program expects, where the locale exists.
console_charset=CP1252
if LC_ALL=ja_JP.UTF-8 locale charmap 2>/dev/null | grep -q UTF-8; then
  export LC_ALL=ja_JP.UTF-8
  console_charset=CP932  # what Wine's console programs write into a pipe
fi

step() { printf '== %s\n' "$*"; }
fail() { printf 'FAIL: %s\n' "$*" >&2; exit 1; }
display_cleanup=:
cleanup() {
  wineserver -k 2>/dev/null || true
  eval "$display_cleanup"
  rm -rf "$work"
}
trap cleanup EXIT

installer=${1:-}
if [ -z "$installer" ]; then
  step "no installer given: making one from a stand-in kimoro.exe"
  x86_64-w64-mingw32-g++-posix -static -municode -mwindows -O2 -s \
    -o "$work/kimoro.exe" "$here/standin-kimoro.cpp"
  makensis -V2 -DKIMORO_EXE="$work/kimoro.exe" -DOUTFILE="$work/kimoro-setup.exe" \
    "$root/packaging/windows/kimoro.nsi" >/dev/null
  installer="$work/kimoro-setup.exe"
fi
[ -f "$installer" ] || fail "no installer at $installer"
installer=$(cd "$(dirname "$installer")" && pwd)/$(basename "$installer")

if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  source "$root/scripts/xsession.sh"
  start_virtual_display
  display_cleanup='kill $WM_PID $XVFB_PID 2>/dev/null; wait $XVFB_PID 2>/dev/null'
  trap cleanup EXIT  # start_virtual_display set its own
fi

step "a fresh Wine prefix"
mkdir -p "$WINEPREFIX"
wineserver -p
wineboot -i >/dev/null 2>&1
wine cmd /c exit >/dev/null 2>&1  # settles what a first program start writes

windows_path() { wine cmd /c "echo $1" 2>/dev/null | tr -d '\r'; }
unix_path() { winepath -u "$1" 2>/dev/null; }
instdir=$(unix_path "$(windows_path '%LOCALAPPDATA%')\\Programs\\Kimoro")
shortcut=$(unix_path "$(windows_path '%APPDATA%')\\Microsoft\\Windows\\Start Menu\\Programs\\きもろ.lnk")
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\org.kimoro.Kimoro'

snapshot() { (cd "$WINEPREFIX/drive_c" && find . | LC_ALL=C sort); }
snapshot >"$work/before"

step "silent install: $(basename "$installer") /S"
wine "$installer" /S || fail "the installer ended with status $?"
for file in kimoro.exe uninstall.exe LICENSE.txt README.md; do
  [ -f "$instdir/$file" ] || fail "not installed: $instdir/$file"
done
[ -f "$shortcut" ] || fail "no Start-menu entry at $shortcut"
values=$(wine reg query "$key" 2>/dev/null | tr -d '\r' | iconv -f "$console_charset" -t UTF-8) ||
  fail "no uninstall key $key"
for value in DisplayName DisplayVersion UninstallString QuietUninstallString InstallLocation; do
  grep -q "^ *$value " <<<"$values" || fail "the uninstall key has no $value"
done
if [ "$console_charset" = CP932 ]; then
  grep -q "DisplayName *REG_SZ *きもろ$" <<<"$values" || fail "DisplayName is not きもろ: $values"
fi
echo "installed in $instdir; Start-menu entry and uninstall key in place"

step "the program, started from the Start-menu entry"
# The processes whose command line matches a pattern (a Windows path, as Wine shows it).
pids_running() {
  local pid
  for pid in $(ls /proc | grep -E '^[0-9]+$'); do
    tr '\0' ' ' 2>/dev/null <"/proc/$pid/cmdline" | grep -qi -- "$1" && echo "$pid"
  done
  return 0
}
# The installed exe: the Start-menu entry's target.
installed_pids() { pids_running 'Programs\\Kimoro\\kimoro\.exe'; }
wine start /unix "$shortcut" >/dev/null 2>&1
window=
for _ in $(seq 300); do
  window=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1) && [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || fail "no window titled $title appeared"
[ -n "$(installed_pids)" ] || fail "a window appeared, but no program runs from the install folder"
echo "window $window: $(xdotool getwindowname "$window")"
# The title bar's close, through the window manager; the program then ends by itself.
wmctrl -i -c "$window"
for _ in $(seq 100); do
  [ -z "$(installed_pids)" ] && break
  sleep 0.1
done
[ -z "$(installed_pids)" ] || fail "the program still runs after its window was closed"
echo "closed from the title bar; the program ended"

step "silent uninstall: uninstall.exe /S"
wine "$instdir/uninstall.exe" /S || fail "the uninstaller ended with status $?"
# The uninstaller hands over to a copy of itself in the temporary folder and returns.
for _ in $(seq 300); do
  [ -e "$instdir" ] || [ -n "$(pids_running '~nsu.*\.tmp\\Un\.exe')" ] || break
  sleep 0.1
done
[ ! -e "$instdir" ] || fail "left behind: $(find "$instdir" | head)"
[ ! -e "$shortcut" ] || fail "the Start-menu entry is left behind"
wine reg query "$key" >/dev/null 2>&1 && fail "the uninstall key is left behind"
snapshot >"$work/after"
# That copy cannot delete itself while it runs: as every NSIS uninstaller, it asks Windows
# to delete it, and its folder in Temp, at the next start. Those two may remain until then,
# and only if Windows has them on its list.
pending=$(wine reg query 'HKLM\System\CurrentControlSet\Control\Session Manager' \
  /v PendingFileRenameOperations 2>/dev/null | tr -d '\r' | iconv -f "$console_charset" -t UTF-8 || true)
diff "$work/before" "$work/after" | sed -n 's/^> //p' >"$work/added" || true
diff "$work/before" "$work/after" | sed -n 's/^< //p' >"$work/removed" || true
[ ! -s "$work/removed" ] || fail "the uninstaller removed what it had not installed:
$(cat "$work/removed")"
while IFS= read -r added; do
  windows=$(sed 's|^\./|C:\\|; s|/|\\|g' <<<"$added")
  case "$added" in
    ./users/*/Temp/~nsu*.tmp | ./users/*/Temp/~nsu*.tmp/Un.exe)
      grep -qiF -- "\??\\$windows\\0" <<<"$pending" ||
        fail "left behind, and not due for deletion at the next start: $added"
      echo "the uninstaller's own copy, due for deletion at the next start: $added" ;;
    *) fail "left behind: $added" ;;
  esac
done <"$work/added"
wineserver -k 2>/dev/null || true
for _ in $(seq 50); do wineserver -w 2>/dev/null && break; sleep 0.1; done
if grep -i -n 'kimoro' "$WINEPREFIX"/*.reg; then
  fail "the registry still names kimoro"
fi
echo "PASS: installed, started, uninstalled; nothing left behind"
