#!/usr/bin/env bash
# Installs what is missing, builds Chronodex into build/ and starts it. Only the program is
# built, not its tests or benchmark (scripts/test.sh builds those), so the window comes as
# soon as the program itself is compiled.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display to open a window on: run this on a desktop, or with Xvfb (apt-get install xvfb): xvfb-run -a scripts/run.sh" >&2
  exit 1
fi
CHRONODEX_TARGET=chronodex scripts/setup.sh build
exec build/bin/chronodex "$@"
