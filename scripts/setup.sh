#!/usr/bin/env bash
# Installs the Debian packages the program, its tests and its tools need, when missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libgl-dev libgtest-dev
  fonts-ipafont-gothic xdg-utils
  xvfb xauth openbox xdotool wmctrl x11-utils imagemagick libx11-dev
  desktop-file-utils appstream man-db lintian dpkg-dev fakeroot
  nsis zip unzip g++-mingw-w64-x86-64-posix wine wine64 locales
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
