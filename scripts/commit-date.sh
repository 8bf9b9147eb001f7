#!/usr/bin/env bash
# Prints the date every file in the packages bears, in seconds since 1970: the last commit's.
# A git checkout asks git; a tree from `git archive` (a release tarball) has no history, and
# git wrote the date into packaging/commit-date when it made the archive.
set -euo pipefail
cd "$(dirname "$0")/.."
written=$(cat packaging/commit-date)
if [[ "$written" =~ ^[0-9]+$ ]]; then
  echo "$written"
elif [ "$(git rev-parse --show-toplevel 2>/dev/null)" = "$PWD" ]; then
  git log -1 --format=%ct
else
  echo "no commit date: this tree has no git history and packaging/commit-date holds none" \
    "(make tarballs with git archive, or set SOURCE_DATE_EPOCH)" >&2
  exit 1
fi
