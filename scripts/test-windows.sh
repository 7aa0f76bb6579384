#!/usr/bin/env bash
# Builds Chronodex for Windows (scripts/build-windows.sh) and runs all its tests under Wine:
# the platform layer's test_windows and the window's QtTest programs, which open real windows on
# a private Xvfb display with a window manager, then the installer's round trip
# (scripts/test-installer.sh).
# Usage: scripts/test-windows.sh [BUILD_DIR]   (default: build-windows)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build-windows}

scripts/ensure-packages.sh wine64 wine xvfb xauth openbox fonts-liberation2 \
  fonts-dejavu-core xdotool x11-utils
scripts/build-windows.sh "$build_dir"

# Wine's own folder lives in the build folder, owned by whoever runs this.
export WINEPREFIX="$PWD/$build_dir/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export TZ=UTC
mkdir -p "$WINEPREFIX"

pids=()
cleanup() {
  wineserver -k </dev/null >/dev/null 2>&1 || true
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done
  return 0
}
trap cleanup EXIT

# A display of our own: Xvfb picks a free number and writes it down.
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
display_number=$(head -n 1 "$display_file")
rm -f "$display_file"
[ -n "$display_number" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$display_number"
openbox --sm-disable </dev/null >/dev/null 2>&1 &
pids+=($!)

# One persistent wine server, started with its input and output away from CTest's pipes,
# serves every test; the first program starts the prefix.
wineserver -p </dev/null >/dev/null 2>&1 || true
wine cmd /c exit </dev/null >/dev/null 2>&1 || true

(cd "$build_dir" && ctest --output-on-failure)

# The installer, installed and uninstalled in a Wine prefix of its own, on the same display.
scripts/test-installer.sh "$build_dir"
