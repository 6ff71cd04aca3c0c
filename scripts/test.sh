#!/usr/bin/env bash
# The whole test suite: checks the formatting, builds and runs every test in the
# optimised build, again under AddressSanitizer + UndefinedBehaviorSanitizer and
# with clang (which also compiles every library header alone), the validation
# suite under ThreadSanitizer, then each fuzz target (clang's libFuzzer) for
# 20 seconds.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-dependencies.sh

echo "== format =="
scripts/format.sh --check

for preset in release asan clang; do
  echo "== $preset =="
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done

# The host-vendor validation suite again under ThreadSanitizer: automation
# from a second thread while the audio thread processes.
echo "== tsan =="
cmake --preset tsan
cmake --build --preset tsan --target validation_tests
build/tsan/tests/validation/validation_tests

# Each fuzz target runs for a bounded time from its seed corpus.
echo "== fuzz =="
scripts/fuzz.sh 20
