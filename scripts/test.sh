#!/usr/bin/env bash
# The whole test suite: builds and runs every test in the optimised build and
# again under AddressSanitizer + UndefinedBehaviorSanitizer, the validation
# suite under ThreadSanitizer, then each fuzz target (clang's libFuzzer) for
# 20 seconds.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-dependencies.sh

for preset in release asan; do
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
