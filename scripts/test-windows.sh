#!/usr/bin/env bash
# Builds Zelo.dll for 32- and 64-bit Windows with mingw-w64 and tests it: both
# DLLs checked without running them (PE format, exports, imports), the 64-bit
# test programs run under Wine's 64-bit loader in a prefix of the build's own,
# their windows on the X server in DISPLAY (an Xvfb of their own when unset).
# The 32-bit test programs are built; they run only where 32-bit programs can
# (the 32-bit Wine loader, from wine32, is installed), else one line says so.
# Needs the release preset built first: its zelo_skin draws Zelo/Resources/.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

for preset in windows-x64 windows-x86; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done
scripts/check-windows-dll.sh build/windows-x64/Zelo/Zelo.dll x64
scripts/check-windows-dll.sh build/windows-x86/Zelo/Zelo.dll x86

# Each build's wrapper runs its programs in the build's own Wine prefix.
stopWine() {
  for build in build/windows-x64 build/windows-x86; do
    WINEPREFIX="$PWD/$build/wineprefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
  done
}
trap stopWine EXIT
# Sets up a build's prefix and waits until its first Wine session has ended
# (registry written, services stopped), so the tests start on a settled prefix.
bootWine() {
  "$1/run-under-wine.sh" wineboot -i >/dev/null 2>&1
  WINEPREFIX="$PWD/$1/wineprefix" timeout 120 /usr/lib/wine/wineserver -w 2>/dev/null || true
}
bootWine build/windows-x64
ctest --preset windows-x64

if [ -x /usr/lib/wine/wine ]; then
  bootWine build/windows-x86
  ctest --test-dir build/windows-x86 --output-on-failure
else
  echo "32-bit Windows tests skipped: no 32-bit Wine loader here (this machine's kernel runs no 32-bit programs)"
fi
