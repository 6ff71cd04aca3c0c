#!/usr/bin/env bash
# Formats every C++ file under version control with the checked-in .clang-format.
# With --check, changes nothing and fails, listing the files, when any differs.
# Usage: scripts/format.sh [--check]
set -euo pipefail
cd "$(dirname "$0")/.."

command -v clang-format >/dev/null || { echo "clang-format is not installed" >&2; exit 1; }
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--check" ]; then
  # One run over every file; each difference is reported as "file:line:column: error: ...".
  mapfile -t unformatted < <(clang-format --dry-run --Werror "${files[@]}" 2>&1 |
    sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: error: .*/\1/p' | sort -u)
  if [ ${#unformatted[@]} -gt 0 ]; then
    echo "Not formatted (run scripts/format.sh):" >&2
    printf '  %s\n' "${unformatted[@]}" >&2
    exit 1
  fi
  echo "All ${#files[@]} C++ files are formatted"
elif [ $# -eq 0 ]; then
  clang-format -i "${files[@]}"
else
  echo "usage: $0 [--check]" >&2
  exit 2
fi
