#!/usr/bin/env bash
# Builds the fuzz targets (fuzz/) with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer into their own folder (default: build-fuzz/), then runs each for a
# bounded time (default: 20 seconds) from its seed corpus in fuzz/corpus/<target>/. A crash, a
# sanitizer's report, an input that runs for more than 10 seconds or a memory blow-up fails
# it, with the input in the log. The normal build (gcc) is not touched.
# Usage: scripts/fuzz.sh [BUILD_DIR] [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build-fuzz}
seconds=${2:-20}

scripts/ensure-packages.sh clang-14 libclang-rt-14-dev cmake ninja-build pkg-config \
  qt6-base-dev libgl-dev libcanberra-dev libexiv2-dev xxd
if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  CC=clang-14 CXX=clang++-14 cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCHRONODEX_FUZZ=ON -DBUILD_TESTING=OFF
fi
cmake --build "$build_dir" --target chronodex_fuzzers --parallel "$(nproc)"

build_dir=$(cd "$build_dir" && pwd)
export ASAN_OPTIONS=detect_leaks=0:allocator_may_return_null=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# fuzz_regfile writes each input as a settings file: in memory (/dev/shm) where there is one,
# since a disk makes each rewrite wait for it.
TMPDIR=$(mktemp -d /dev/shm/chronodex-fuzz.XXXXXX 2>/dev/null || mktemp -d "$build_dir/tmp.XXXXXX")
export TMPDIR
trap 'rm -rf "$TMPDIR"' EXIT
failed=()
for target in regfile ini drop photo movie; do
  work="$build_dir/runs/$target"
  rm -rf "$work" && mkdir -p "$work/corpus"
  log="$work/log"
  echo "-- fuzz_$target, ${seconds} s from fuzz/corpus/$target/"
  # New inputs go to the run's own corpus; the seeds in the repository are only read.
  if "$build_dir/bin/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -print_final_stats=1 -artifact_prefix="$work/" "$work/corpus" "fuzz/corpus/$target" \
       >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "   fuzz_$target: ${runs:-?} runs in ${seconds} s, no failure"
  else
    failed+=("fuzz_$target")
    echo "   fuzz_$target FAILED:"
    grep -v '^#[0-9]' "$log" | tail -n 60 | sed 's/^/   /'
    for input in "$work"/crash-* "$work"/timeout-* "$work"/oom-* "$work"/leak-*; do
      [ -e "$input" ] || continue
      echo "   the input, $(stat -c %s "$input") bytes ($input):"
      xxd "$input" | head -n 64 | sed 's/^/   /'
      echo "   base64: $(base64 -w0 "$input" | head -c 8192)"
    done
  fi
done
[ ${#failed[@]} -eq 0 ] || { echo "Fuzzing failed: ${failed[*]}"; exit 1; }
