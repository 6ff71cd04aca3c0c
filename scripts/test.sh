#!/usr/bin/env bash
# The whole test suite: checks the formatting, builds and runs every test in the
# optimised build, again under AddressSanitizer + UndefinedBehaviorSanitizer and
# with clang (which also compiles every library header alone), the validation
# suite and the X11 window tests under ThreadSanitizer, then each fuzz target
# (clang's libFuzzer) for 10 seconds. The X11 tests run against an Xvfb server
# started here.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-dependencies.sh --tests

echo "== format =="
scripts/format.sh --check

# A virtual X server for the X11 window tests of every preset (they skip only
# when none can be reached); Xvfb picks a free display number and writes it to
# descriptor 3 once it accepts connections.
echo "== Xvfb =="
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$display_file" 2>/dev/null &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null; rm -f "$display_file"' EXIT
for _ in $(seq 100); do
  [ -s "$display_file" ] && break
  sleep 0.1
done
export DISPLAY=":$(head -n 1 "$display_file")"
echo "DISPLAY=$DISPLAY"

for preset in release asan clang; do
  echo "== $preset ($(date +%T)) =="
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done

# The host-vendor validation suite again under ThreadSanitizer: automation
# from a second thread while the audio thread processes; the editor taking
# automation from another thread. The X11 window and editor tests too: every
# Xlib call stays on the thread that pumps.
echo "== tsan ($(date +%T)) =="
cmake --preset tsan
cmake --build --preset tsan --target validation_tests editor_tests gui_x11_tests plugin_x11_tests
build/tsan/tests/validation/validation_tests
build/tsan/tests/editor/editor_tests
build/tsan/tests/gui/x11/gui_x11_tests
build/tsan/tests/plugin/plugin_x11_tests

# The Windows DLLs, cross-built with mingw-w64 (release only): both checked
# statically, the 64-bit test programs run under Wine.
echo "== windows ($(date +%T)) =="
scripts/test-windows.sh

# Each fuzz target runs for a bounded time from its seed corpus.
echo "== fuzz ($(date +%T)) =="
scripts/fuzz.sh 10
