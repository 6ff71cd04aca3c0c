#!/usr/bin/env bash
# Builds and runs the editor benchmark for 64-bit Windows under Wine and a
# virtual X server. Google Benchmark has no Windows package: Debian's sources
# are fetched once with apt-get (a deb-src line of our own, no system change)
# into build/google-benchmark-source and built with the cross compiler.
# Needs the windows-x64 preset built first (scripts/test-windows.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

source_dir="$PWD/build/google-benchmark-source"
if [ ! -f "$source_dir/CMakeLists.txt" ]; then
  work=$(mktemp -d)
  echo "deb-src http://deb.debian.org/debian bookworm main" >"$work/sources.list"
  apt=(-o "Dir::Etc::SourceList=$work/sources.list" -o Dir::Etc::SourceParts=/dev/null
       -o "Dir::State::Lists=$work/lists" -o "Dir::Cache=$work/cache")
  mkdir -p "$work/lists/partial" "$work/cache/archives/partial"
  apt-get "${apt[@]}" update >/dev/null
  (cd "$work" && apt-get "${apt[@]}" source --download-only benchmark >/dev/null 2>&1)
  mkdir -p "$source_dir"
  tar -xzf "$work"/benchmark_*.orig.tar.gz -C "$source_dir" --strip-components=1
  rm -rf "$work"
fi

build=build/windows-x64
cmake --preset windows-x64 -DZELO_BENCHMARK_SOURCE_DIR="$source_dir" >/dev/null
cmake --build "$build" --target zelo_editor_benchmark
"$build/run-under-wine.sh" wineboot -i >/dev/null 2>&1
trap 'WINEPREFIX="$PWD/$build/wineprefix" /usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$build/run-under-wine.sh" "$build/bench/zelo_editor_benchmark.exe" "$@"
fi
"$build/run-under-wine.sh" "$build/bench/zelo_editor_benchmark.exe" "$@"
