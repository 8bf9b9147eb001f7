#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test on a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
source scripts/xsession.sh
start_virtual_display
ctest --preset default "$@"
