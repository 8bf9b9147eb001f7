#!/usr/bin/env bash
# Two builds of the Debian package from the same commit, in two different build directories,
# give the same file, byte for byte (dates from SOURCE_DATE_EPOCH, the last commit's). It runs
# in a git checkout or in a tree from `git archive`.
# Usage: bash tests/packaging/reproducible-deb-test.sh
set -euo pipefail
cd "$(dirname "$0")/../.."
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(bash scripts/commit-date.sh)}
export SOURCE_DATE_EPOCH TZ=UTC LC_ALL=C.UTF-8
work=$(mktemp -d "${TMPDIR:-/tmp}/kimoro-reproducible.XXXXXX")
trap 'rm -rf "$work"' EXIT
sums=()
for build in one two; do
  cmake --preset package -B "$work/$build" >/dev/null
  cmake --build "$work/$build" --target kimoro kimoro_install_files >/dev/null
  (cd "$work/$build" && cpack -G DEB -B "$work/$build/cpack" >/dev/null)
  deb=$(ls "$work/$build"/cpack/*.deb)
  sums+=("$(sha256sum <"$deb" | cut -d' ' -f1)")
  echo "$build: $(sha256sum "$deb")"
done
[ "${sums[0]}" = "${sums[1]}" ] || {
  echo "FAIL: the two builds differ" >&2
  command -v diffoscope >/dev/null && diffoscope "$work"/one/cpack/*.deb "$work"/two/cpack/*.deb | head -50
  exit 1
}
echo "PASS: both builds give sha256 ${sums[0]}"
