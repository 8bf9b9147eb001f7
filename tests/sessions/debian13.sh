#!/usr/bin/env bash
# Runs a command as root inside a Debian 13 (trixie) tree, so that binaries built here on
# Debian 12 can be tried against Qt 6.8 and the Debian 13 compositors.
#
#   tests/sessions/debian13.sh [--root DIR] [--deb FILE] [NAME=VALUE...] [COMMAND [ARG...]]
#
# --root DIR  the tree (default: $DEBIAN13_ROOT, else build/debian13 in this checkout).
#             It is made once with debootstrap and kept for later runs.
# --deb FILE  the program's package; installed with its dependencies when the tree is made,
#             and installed again whenever its checksum differs from the one installed.
# NAME=VALUE  the command's environment, on top of a clean one (PATH, HOME, LANG).
# Without a command it only makes or updates the tree. The command's status is returned.
# /proc, /dev, /dev/pts, /dev/shm, /sys, /tmp (X sockets) and this checkout are bound at
# the same paths inside; DEBIAN13_MIRROR overrides the mirror read from apt's sources.
set -euo pipefail

die() { echo "debian13.sh: $*" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || die "must run as root (debootstrap, mount and chroot need it)"

# Every mount happens in a private mount namespace: whatever way this script ends, the
# kernel drops the mounts with it and none of them ever shows on the host. The variable
# marks the second start, inside the namespace.
if [ -z "${DEBIAN13_PRIVATE_MOUNTS:-}" ]; then
  command -v unshare >/dev/null || die "unshare not found (package util-linux)"
  DEBIAN13_PRIVATE_MOUNTS=1 exec unshare --mount --propagation private -- "$BASH" "$0" "$@"
fi

checkout=$(cd "$(dirname "$0")/../.." && pwd)
root=${DEBIAN13_ROOT:-$checkout/build/debian13}
deb=
while [ $# -gt 0 ]; do
  case $1 in
    --root | --deb) [ $# -ge 2 ] || die "$1 needs a value" ;;&
    --root) root=$2; shift 2 ;;
    --deb) deb=$2; shift 2 ;;
    --) shift; break ;;
    *) break ;;
  esac
done
environment=(PATH=/usr/local/bin:/usr/bin:/bin:/usr/local/sbin:/usr/sbin:/sbin HOME=/root LANG=C.UTF-8)
while [ $# -gt 0 ] && [[ $1 =~ ^[A-Za-z_][A-Za-z0-9_]*= ]]; do environment+=("$1"); shift; done
mkdir -p "$(dirname "$root")"
root=$(cd "$(dirname "$root")" && pwd)/$(basename "$root")
if [ -n "$deb" ]; then
  [ -f "$deb" ] || die "no package at $deb"
  deb=$(cd "$(dirname "$deb")" && pwd)/$(basename "$deb")
fi

packages=(qt6-wayland mutter kwin-wayland kwin-style-breeze xwayland dbus dbus-x11 at-spi2-core
  python3 xdotool wmctrl x11-utils xclip imagemagick fonts-ipafont-gothic orca xvfb openbox)
install_packages() {  # install_packages TREE: the list above, remembered in the tree
  apt_in_tree "$1" update && apt_in_tree "$1" install -y "${packages[@]}" ||
    die "installing the compositors failed (see $root.log)"
  printf '%s\n' "${packages[@]}" >"$1/var/lib/debian13-packages"
}

mounted=()
bind() {  # bind SOURCE at the same path inside the tree $1
  [ -e "$2" ] || return 0
  mkdir -p "$1$2"
  mount --bind "$2" "$1$2" || die "cannot bind $2 into $1"
  mounted=("$1$2" "${mounted[@]}")
}
release_tree() {
  # Stop what the command left running in the tree (a dbus-daemon, a compositor), then
  # unmount, innermost first.
  local process target
  for process in /proc/[0-9]*; do
    if [ "$(readlink "$process/root" 2>/dev/null)" = "$tree_in_use" ]; then
      kill -KILL "${process#/proc/}" 2>/dev/null || true
    fi
  done
  for target in "${mounted[@]}"; do umount "$target" 2>/dev/null || umount -l "$target"; done
  mounted=()
}
enter_tree() {
  local dir
  tree_in_use=$1
  trap release_tree EXIT
  for dir in /proc /sys /dev /dev/pts /dev/shm /tmp "$checkout"; do bind "$1" "$dir"; done
}
in_tree() {  # in_tree TREE COMMAND...: as root, in the clean environment
  local tree=$1; shift
  env -i "${environment[@]}" chroot "$tree" "$@"
}
apt_in_tree() {  # apt_in_tree TREE ARG...: apt-get with no questions, output to the log
  in_tree "$1" /usr/bin/env DEBIAN_FRONTEND=noninteractive apt-get "${@:2}" >>"$root.log" 2>&1
}
install_deb() {  # install_deb TREE: the package, with what it depends on, then its checksum
  cp "$deb" "$1/var/tmp/$(basename "$deb")"
  apt_in_tree "$1" install -y --reinstall "/var/tmp/$(basename "$deb")" ||
    die "installing $(basename "$deb") failed (see $root.log)"
  rm -f "$1/var/tmp/$(basename "$deb")"
  sha256sum <"$deb" >"$1/var/lib/debian13-deb.sha256"
}

trap 'exit 130' INT
trap 'exit 143' TERM
if [ ! -d "$root" ]; then
  [ -n "$deb" ] || die "the tree $root does not exist yet: give the program's .deb with --deb"
  command -v debootstrap >/dev/null || die "debootstrap not found (apt-get install debootstrap)"
  # The same registry apt uses here: the first plain Debian archive in its sources.
  mirror=${DEBIAN13_MIRROR:-$(sed -n -E \
    -e 's/^deb[[:space:]]+(\[[^]]*\][[:space:]]+)?([^[:space:]]+).*/\2/p' \
    -e 's/^URIs:[[:space:]]*([^[:space:]]+).*/\1/p' \
    /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources 2>/dev/null |
    grep -E '/debian/?$' | head -n1 || true)}
  [ -n "$mirror" ] || die "no Debian mirror in /etc/apt/sources.list{,.d} (set DEBIAN13_MIRROR)"
  wget -q -T 20 -t 1 --spider "$mirror/dists/trixie/Release" ||
    die "cannot reach $mirror (no network?)"
  # Made aside and renamed at the end, so an interrupted run never leaves a half tree behind.
  # Never remove a tree something is still mounted in (it could be this checkout).
  partial=$root.partial
  ! grep -q " $partial/" /proc/self/mounts || die "$partial still has mounts; not removing it"
  rm -rf "$partial"
  : >"$root.log"
  echo "debian13.sh: making $root from $mirror (log: $root.log)"
  debootstrap --variant=minbase trixie "$partial" "$mirror" >>"$root.log" 2>&1 ||
    die "debootstrap failed (see $root.log)"
  # No recommends; no service may start inside the tree while packages install.
  echo 'APT::Install-Recommends "false";' >"$partial/etc/apt/apt.conf.d/90no-recommends"
  printf '#!/bin/sh\nexit 101\n' >"$partial/usr/sbin/policy-rc.d"
  chmod +x "$partial/usr/sbin/policy-rc.d"
  enter_tree "$partial"
  install_packages "$partial"
  # /usr/bin/kwin_wayland carries a file capability that these containers refuse to execute
  # (EPERM); a plain copy earlier in PATH runs, and kwin_wayland_wrapper finds it by name.
  cp "$partial/usr/bin/kwin_wayland" "$partial/usr/local/bin/kwin_wayland"
  install_deb "$partial"
  apt_in_tree "$partial" clean || true
  release_tree
  trap - EXIT
  mv "$partial" "$root"
fi

enter_tree "$root"
# A tree made by an older list gets what the list has gained, when the network is there.
if [ -n "$deb" ] && ! printf '%s\n' "${packages[@]}" | cmp -s - "$root/var/lib/debian13-packages"; then
  echo "debian13.sh: installing the packages the tree lacks"
  install_packages "$root"
fi
if [ -n "$deb" ] && ! sha256sum <"$deb" | cmp -s - "$root/var/lib/debian13-deb.sha256"; then
  echo "debian13.sh: installing $(basename "$deb") again (it changed)"
  install_deb "$root"
fi
[ $# -gt 0 ] || exit 0
# Start in the caller's directory when the tree sees it (the checkout), else in /.
directory=/
[ -d "$root$PWD" ] && directory=$PWD
status=0
in_tree "$root" /usr/bin/env --chdir="$directory" "$@" || status=$?
exit "$status"
