#!/usr/bin/env bash
# Installs the Debian packages Zelo builds with (what configuring the release
# build needs), and with --tests also what only the tests run (clang and its
# fuzzing runtime, an X server and XTest tools, the Windows cross compilers and
# Wine, lilv and the LV2 tools), when any is missing. Runs apt-get directly as
# root, through sudo otherwise. It never removes a package: when apt would, it stops, says what and
# why, and changes nothing.
# Usage: scripts/install-dependencies.sh [--tests]
set -euo pipefail

packages=(
  cmake ninja-build g++ clang-format pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libstk-dev libsndfile1-dev libebur128-dev
  ladspa-sdk tap-plugins
  libcairo2-dev libfontconfig-dev fonts-liberation libpng-dev libjpeg-dev
  libx11-dev libxext-dev libxrandr-dev libxtst-dev
  lv2-dev
)
if [ "${1:-}" = "--tests" ]; then
  # wine32 stays out: with it, Debian's wine script prefers the 32-bit loader even
  # for 64-bit programs, and machines without 32-bit support cannot start that.
  packages+=(clang libclang-rt-14-dev xvfb xdotool liblilv-dev lilv-utils sordi
    g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix googletest wine wine64)
fi

# libstk-dev needs JACK's development files through "libjack-dev | libjack-jackd2-dev";
# apt picks libjack-dev (JACK 1), which conflicts with JACK 2 and would take jackd2
# and every program built on it away. Where JACK 2's library is installed, ask for
# its own development files instead.
installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}
if installed libjack-jackd2-0; then
  packages+=(libjack-jackd2-dev)
fi

missing=()
for package in "${packages[@]}"; do
  installed "$package" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
removals=$($sudo apt-get install -s -q --no-install-recommends "${missing[@]}" | awk '/^Remv /{print $2}' | tr '\n' ' ')
if [ -n "$removals" ]; then
  echo "Stopped: installing ${missing[*]} would remove ${removals}because they conflict with" >&2
  echo "packages Zelo needs (JACK 1's libjack-dev against JACK 2, for example). Nothing was" >&2
  echo "changed; install those packages by hand with alternatives that keep yours, then run this again." >&2
  exit 1
fi
$sudo apt-get install -y -q --no-install-recommends --no-remove "${missing[@]}"
