#!/usr/bin/env bash
# Configures and builds the given targets (all when none) in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build/CMakeCache.txt ] || cmake --preset default >/dev/null
if [ $# -gt 0 ]; then
  cmake --build build --target "$@"
else
  cmake --build build
fi
