#!/usr/bin/env bash
# Builds Chronodex optimised into build-rel/ and runs the benchmark on the offscreen
# platform; prints the Markdown table of docs/performance.md.
# Usage: scripts/bench.sh [--sizes 1000,10000,32767] [--reps 5]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build-rel -DCMAKE_BUILD_TYPE=Release >&2
QT_QPA_PLATFORM=offscreen build-rel/bin/chronodex_bench "$@" 2>/dev/null
