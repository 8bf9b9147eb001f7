# Sourced: a private Wine prefix for the Windows build, as a Japanese system would have it.
# prepare_wine_prefix DIR creates it once (Japanese locale, so the ANSI code page is 932;
# Wine's own fonts; windows that close at once without a window manager) and starts its
# wineserver, which stops when the sourcing shell exits.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko installer prompts

prepare_wine_prefix() {
  export WINEPREFIX="$1"
  if [ ! -f "$WINEPREFIX/.kimoro-ready-2" ]; then
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    LC_ALL=ja_JP.UTF-8 wineboot -i >/dev/null 2>&1
    LC_ALL=ja_JP.UTF-8 wineserver -w
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
    # regedit reads a .reg file as UTF-16 when it starts with a byte-order mark, and in the
    # ANSI code page otherwise: the Japanese face names need UTF-16.
    local settings="$WINEPREFIX/settings.reg"
    printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
      '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"Managed"="N"' '' \
      '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
      '"ＭＳ ゴシック"="IPAGothic"' '"ＭＳ Ｐゴシック"="IPAPGothic"' '' |
      { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE; } >"$settings"
    LC_ALL=ja_JP.UTF-8 wine regedit /S "$settings" >/dev/null 2>&1
    LC_ALL=ja_JP.UTF-8 wineserver -w
    touch "$WINEPREFIX/.kimoro-ready-2"
  fi
  # One persistent server and the prefix's services for the whole run, started here with
  # their output elsewhere: otherwise the first test starts them, they inherit its output
  # pipe, and ctest waits for them.
  LC_ALL=ja_JP.UTF-8 wineserver -p >/dev/null 2>&1
  LC_ALL=ja_JP.UTF-8 wine wineboot >/dev/null 2>&1 </dev/null
  trap 'wineserver -k 2>/dev/null; '"$(trap -p EXIT | sed "s/^trap -- '//; s/' EXIT\$//")" EXIT
}
