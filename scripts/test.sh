#!/usr/bin/env bash
# Installs what is missing, builds Chronodex into the given folder (default: build/) and
# runs every test with CTest on the offscreen platform.
# Usage: scripts/test.sh [BUILD_DIR] [extra cmake arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}
scripts/setup.sh "$@"
cd "$build_dir"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)"
