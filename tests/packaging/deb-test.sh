#!/usr/bin/env bash
# Checks a built Debian package: its version, description and dependencies, the files a
# Debian package must have, and lintian (no error and no warning).
# Usage: deb-test.sh KIMORO.deb VERSION
set -euo pipefail
deb=$1
version=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
field() { dpkg-deb -f "$deb" "$1"; }

[ "$(field Package)" = kimoro ] || fail "package name $(field Package)"
[ "$(field Version)" = "$version" ] || fail "version $(field Version), not $version"
grep -qw fonts-ipafont-gothic <<<"$(field Depends)" || fail "no dependency on fonts-ipafont-gothic"
grep -qw libqt6widgets6 <<<"$(field Depends)" || fail "no shared-library dependencies (shlibdeps)"
grep -qw qt6-wayland <<<"$(field Recommends)" || fail "qt6-wayland is not recommended"
[ "$(field Description | wc -l)" -gt 3 ] || fail "no long description"
contents=$(dpkg-deb -c "$deb")
for file in ./usr/share/doc/kimoro/copyright ./usr/share/doc/kimoro/changelog.gz \
  ./usr/games/kimoro ./usr/share/applications/org.kimoro.Kimoro.desktop \
  ./usr/share/metainfo/org.kimoro.Kimoro.metainfo.xml ./usr/share/man/man6/kimoro.6.gz \
  ./usr/share/icons/hicolor/256x256/apps/org.kimoro.Kimoro.png; do
  grep -q " $file\$" <<<"$contents" || fail "the package lacks $file"
done
grep -v ' root/root ' <<<"$contents" && fail "files not owned by root"
dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/kimoro/copyright |
  head -n 1 | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "the copyright file is not in the machine-readable format"

echo "lintian $(basename "$deb"):"
lintian --fail-on error,warning --display-info "$deb" || fail "lintian reports errors or warnings"
echo "deb: version $version, dependencies, files and lintian all right"
