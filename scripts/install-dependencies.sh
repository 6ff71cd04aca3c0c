#!/usr/bin/env bash
# Installs the Debian packages Zelo builds and tests with, when any is missing.
# Runs apt-get directly as root, through sudo otherwise.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang clang-format pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libstk-dev libclang-rt-14-dev libsndfile1-dev libebur128-dev
  ladspa-sdk tap-plugins
  libcairo2-dev libfontconfig-dev fonts-liberation libpng-dev libjpeg-dev
  libx11-dev libxext-dev libxrandr-dev libxtst-dev xvfb xdotool
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
