#!/usr/bin/env bash
# The main job: installs what is missing, builds Zelo, installs the plug-in
# where Linux hosts look for it (~/.vst/Zelo/) and checks that it loads and
# processes there, driven through its VST interface as a host drives it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-dependencies.sh

cmake --preset release
cmake --build --preset release

destination="${HOME}/.vst/Zelo"
mkdir -p "$destination"
install -m 0755 build/release/Zelo/Zelo.so "$destination/Zelo.so.part"
mv -f "$destination/Zelo.so.part" "$destination/Zelo.so"
echo "Installed $destination/Zelo.so"

build/release/bench/zelo_render_frames "$destination/Zelo.so" 44100 0 >/dev/null
echo "Rendered one second of the \"Basic Doubler\" program through the installed plug-in."
