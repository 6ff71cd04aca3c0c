#!/usr/bin/env bash
# The whole test suite: builds and runs every test in the optimised build and
# again under AddressSanitizer + UndefinedBehaviorSanitizer, then runs each
# fuzz target (clang's libFuzzer) for 20 seconds.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-dependencies.sh

for preset in release asan; do
  echo "== $preset =="
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done

# Each fuzz target runs for a bounded time from its seed corpus.
echo "== fuzz =="
scripts/fuzz.sh 20
