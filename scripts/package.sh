#!/usr/bin/env bash
# Builds the three packages into dist/ and prints their paths and sizes:
#   - the Debian package (CPack, preset `package`, build dir build-package/), checked by lintian;
#   - the Windows zip (kimoro.exe, README.md, LICENSE.txt) and
#   - the Windows installer (NSIS, packaging/windows/kimoro.nsi), both from the Win32 build
#     (preset `win32`, build-win32/bin/kimoro.exe).
# Without the Win32 build it still makes the Debian package, says loudly what it could not
# make and ends with status 1; --linux-only makes only the Debian package, on purpose.
# KIMORO_WIN32_EXE=path/to/kimoro.exe packages that exe instead of building the win32 preset.
# Every date inside the packages is the last commit's (SOURCE_DATE_EPOCH, scripts/commit-date.sh),
# so two runs on one commit give the same files, from a git checkout or a `git archive` tarball.
set -euo pipefail
cd "$(dirname "$0")/.."
linux_only=no
[ "${1:-}" = --linux-only ] && linux_only=yes

bash scripts/setup.sh
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(bash scripts/commit-date.sh)}
export SOURCE_DATE_EPOCH TZ=UTC LC_ALL=C.UTF-8
if [ "$(git rev-parse --show-toplevel 2>/dev/null)" = "$PWD" ] &&
  [ -n "$(git status --porcelain --untracked-files=no)" ]; then
  echo "note: the worktree has uncommitted changes; the packages hold them, dated as the last commit"
fi
dist=$PWD/dist
mkdir -p "$dist"
made=()

# --- Debian package ---------------------------------------------------------------------
rm -rf build-package
cmake --preset package >/dev/null
cmake --build --preset package
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-package/CMakeCache.txt)
(cd build-package && cpack -G DEB -B "$PWD/cpack" >/dev/null)
deb=$(ls build-package/cpack/kimoro_"${version}"_*.deb)
cp "$deb" "$dist/"
deb=$dist/$(basename "$deb")
bash tests/packaging/deb-test.sh "$deb" "$version"
made+=("$deb")

# --- Windows zip and installer ----------------------------------------------------------
windows_missing=
exe=${KIMORO_WIN32_EXE:-}
if [ "$linux_only" = yes ]; then
  windows_missing="not asked for (--linux-only)"
elif [ -z "$exe" ] && ! cmake --list-presets=configure 2>/dev/null | grep -q '"win32"'; then
  windows_missing="CMakePresets.json has no \`win32\` configure preset (the Win32 build is not on this branch)"
else
  if [ -z "$exe" ]; then
    cmake --preset win32 >/dev/null
    cmake --build build-win32 --target kimoro
    exe=build-win32/bin/kimoro.exe
  fi
  if [ ! -f "$exe" ]; then
    windows_missing="there is no kimoro.exe at $exe"
  else
    # The zip: one folder, its files dated as the commit, no extra attributes.
    stage=build-package/win64/kimoro-${version}-win64
    rm -rf "$(dirname "$stage")"
    mkdir -p "$stage"
    cp "$exe" "$stage/kimoro.exe"
    cp README.md "$stage/README.md"
    cp LICENSE "$stage/LICENSE.txt"
    touch -d "@$SOURCE_DATE_EPOCH" "$stage" "$stage"/*
    zip_file=$dist/kimoro-${version}-win64.zip
    rm -f "$zip_file"
    (cd "$(dirname "$stage")" && zip -X -q "$zip_file" "$(basename "$stage")/" \
      "$(basename "$stage")"/{kimoro.exe,README.md,LICENSE.txt})
    made+=("$zip_file")
    installer=$dist/kimoro-${version}-setup.exe
    makensis -V2 -DKIMORO_EXE="$PWD/$stage/kimoro.exe" -DOUTFILE="$installer" "$PWD/packaging/windows/kimoro.nsi"
    made+=("$installer")
  fi
fi

echo
echo "Packages in dist/:"
for file in "${made[@]}"; do
  printf '  %-60s %9s bytes\n' "$file" "$(stat -c %s "$file")"
done
if [ -n "$windows_missing" ]; then
  echo
  echo "!!! NOT BUILT: the Windows zip and installer: $windows_missing." >&2
  [ "$linux_only" = yes ] || exit 1
fi
