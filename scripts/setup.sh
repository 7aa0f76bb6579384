#!/usr/bin/env bash
# Installs what Chronodex needs to build (Debian 12 or Ubuntu packages) when it is missing,
# then configures and builds it into the given folder (default: build/): everything, or only
# the target that CHRONODEX_TARGET names (scripts/run.sh builds the program alone).
# Usage: [CHRONODEX_TARGET=chronodex] scripts/setup.sh [BUILD_DIR] [extra cmake arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}
shift || true

scripts/ensure-packages.sh cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev \
  libcanberra-dev libasound2-dev libexiv2-dev sound-theme-freedesktop fonts-liberation2 fonts-dejavu-core tzdata

# A new folder is configured; one that exists is configured again when options are given.
if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
elif [ $# -gt 0 ]; then
  cmake -S . -B "$build_dir" "$@"
fi
cmake --build "$build_dir" --parallel "$(nproc)" ${CHRONODEX_TARGET:+--target "$CHRONODEX_TARGET"}
