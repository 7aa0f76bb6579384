#!/usr/bin/env bash
# Builds the Qt-free core for Windows with MinGW-w64 and runs its tests under Wine.
# Usage: scripts/test-windows.sh [BUILD_DIR]   (default: build-win)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build-win}

scripts/ensure-packages.sh cmake ninja-build g++-mingw-w64-x86-64-posix wine64 wine doctest-dev

mkdir -p "$build_dir"
# Wine's own folder lives in the build folder, owned by whoever runs this. One persistent
# wine server, started with its input and output away from CTest's pipes, serves every test.
export WINEPREFIX="$PWD/$build_dir/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export TZ=UTC
mkdir -p "$WINEPREFIX"
wineserver -p </dev/null >/dev/null 2>&1 || true
wine cmd /c exit </dev/null >/dev/null 2>&1 || true
trap 'wineserver -k </dev/null >/dev/null 2>&1 || true' EXIT

if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCHRONODEX_CORE_ONLY=ON
fi
cmake --build "$build_dir" --parallel "$(nproc)"
cd "$build_dir"
ctest --output-on-failure
