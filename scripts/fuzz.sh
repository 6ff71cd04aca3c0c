#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang in build/fuzz and runs each
# for a bounded time, starting from its seed corpus in fuzz/corpus/. New
# inputs go to build/fuzz/corpus/, so the checked-in seeds stay as they are.
# Usage: scripts/fuzz.sh [seconds per fuzzer, default 30]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-30}"
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -lt 1 ]; then
  echo "usage: $0 [seconds per fuzzer]" >&2
  exit 2
fi

# fuzz target : seed corpus folder under fuzz/corpus/
fuzzers=(
  "text_stream_fuzzer:text_stream"
  "xml_reader_fuzzer:xml"
  "chunk_fuzzer:chunk"
  "events_fuzzer:events"
  "dispatcher_fuzzer:dispatcher"
  "tga_reader_fuzzer:tga"
  "png_reader_fuzzer:png"
  "skin_definition_fuzzer:skin"
  "control_xml_fuzzer:controls"
  "preset_reader_fuzzer:preset"
)

# Third-party allocations kept for the life of the process are not our leaks.
export LSAN_OPTIONS="suppressions=$(pwd)/fuzz/lsan-suppressions.txt${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZELO_BUILD_FUZZERS=ON -DZELO_BUILD_TESTS=OFF >/dev/null
targets=()
for entry in "${fuzzers[@]}"; do
  targets+=("${entry%%:*}")
done
cmake --build build/fuzz --target "${targets[@]}"

# A target that finds a fault stops; the others still run, and the script fails at the end.
failed=()
for entry in "${fuzzers[@]}"; do
  name="${entry%%:*}"
  seeds="fuzz/corpus/${entry#*:}"
  work="build/fuzz/corpus/${name}"
  mkdir -p "$work"
  echo "== ${name}: ${seconds} s =="
  build/fuzz/fuzz/"$name" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="build/fuzz/${name}-" "$work" "$seeds" || failed+=("$name")
done
if [ "${#failed[@]}" -gt 0 ]; then
  echo "found a fault (input in build/fuzz/<target>-crash-*): ${failed[*]}" >&2
  exit 1
fi
