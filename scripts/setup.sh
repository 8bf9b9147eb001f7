#!/usr/bin/env bash
# Installs the Debian packages the program, its tests and its tools need, when missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libgl-dev libgtest-dev
  fonts-ipafont-gothic xdg-utils
  xvfb xauth openbox xdotool wmctrl xclip x11-utils x11-xserver-utils imagemagick libx11-dev
  # the Windows build, and Wine to run it on a Japanese system
  mingw-w64 g++-mingw-w64-x86-64-posix wine wine64 fonts-wine locales
  # packaging and its checks
  desktop-file-utils appstream man-db lintian dpkg-dev fakeroot nsis zip unzip
)

# Headless GNOME and KDE Plasma sessions for the tests (tests/sessions), the Orca screen
# reader, and a Debian 13 tree; without what they recommend, which is most of both desktops.
session_packages=(
  mutter metacity kwin-wayland kwin-style-breeze xwayland qt6-wayland dbus at-spi2-core python3
  orca
  debootstrap
)

missing=()
missing_sessions=()
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
for package in "${packages[@]}"; do installed "$package" || missing+=("$package"); done
for package in "${session_packages[@]}"; do installed "$package" || missing_sessions+=("$package"); done
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)

ensure_japanese_locale() {
  locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$' && return
  "${sudo[@]}" sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
  "${sudo[@]}" locale-gen >/dev/null
}

if [ ${#missing[@]} -eq 0 ] && [ ${#missing_sessions[@]} -eq 0 ]; then
  ensure_japanese_locale
  exit 0
fi

echo "Installing: ${missing[*]} ${missing_sessions[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
[ ${#missing[@]} -eq 0 ] || "${sudo[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
[ ${#missing_sessions[@]} -eq 0 ] ||
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing_sessions[@]}" >/dev/null
ensure_japanese_locale
