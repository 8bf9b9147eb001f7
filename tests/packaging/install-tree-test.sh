#!/usr/bin/env bash
# Installs a build into a scratch directory, as a package would (prefix /usr), and checks
# what lands there: the program, the desktop entry, the metainfo, the icon at every hicolor
# size, the manual page and the licence; AppStream then validates the tree as a whole.
# Usage: install-tree-test.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null
root="$stage/usr"
bindir=$(sed -n 's/^CMAKE_INSTALL_BINDIR:[A-Z]*=//p' "$build/CMakeCache.txt")
expected=(
  "$bindir/kimoro"
  share/applications/org.kimoro.Kimoro.desktop
  share/metainfo/org.kimoro.Kimoro.metainfo.xml
  share/man/man6/kimoro.6.gz
  share/doc/kimoro/copyright
  share/doc/kimoro/changelog.gz
)
for size in 16 32 48 64 128 256; do
  expected+=("share/icons/hicolor/${size}x${size}/apps/org.kimoro.Kimoro.png")
done
for file in "${expected[@]}"; do
  [ -f "$root/$file" ] || fail "cmake --install does not put $file in place"
done

for size in 16 32 48 64 128 256; do
  png="$root/share/icons/hicolor/${size}x${size}/apps/org.kimoro.Kimoro.png"
  actual=$(identify -format '%wx%h' "$png")
  [ "$actual" = "${size}x${size}" ] || fail "the ${size}-pixel icon measures $actual"
  # The drawing has a transparent background: the corner pixel is clear.
  corner=$(convert "$png" -format '%[fx:u.a]' info:)
  [ "$corner" = 0 ] || fail "the ${size}-pixel icon's corner is not transparent ($corner)"
done

grep -q "<release version=\"$version\"" "$root/share/metainfo/org.kimoro.Kimoro.metainfo.xml" ||
  fail "the metainfo does not name release $version"
zcat "$root/share/man/man6/kimoro.6.gz" | grep -q "kimoro $version" ||
  fail "the manual page does not name version $version"
zcat "$root/share/doc/kimoro/changelog.gz" | head -n 1 | grep -q "^kimoro ($version)" ||
  fail "the changelog's entry is not for $version"
# The manual page formats without a complaint.
warnings=$(zcat "$root/share/man/man6/kimoro.6.gz" | LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l - 2>&1 >/dev/null || true)
[ -z "$warnings" ] || fail "the manual page: $warnings"

appstreamcli validate-tree --no-net --explain "$stage"
echo "installed tree: all in place"
