#!/usr/bin/env bash
# The main job: installs what is missing, builds Zelo and runs what it offers.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-dependencies.sh

cmake --preset release
cmake --build --preset release
ctest --preset release
