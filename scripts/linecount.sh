#!/usr/bin/env bash
# Counts the lines of C++ code of the tests against those of the program: blank lines and
# lines that hold only a comment aside, the benchmark aside. Files under a tests/ or testing/
# folder are tests. Usage: scripts/linecount.sh [CHECKOUT]   (default: this one)
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"
count() { sed -E 's#^\s+##' "$@" | grep -cvE '^(//|$|\*|/\*)' || true; }
mapfile -t tests < <(git ls-files '*.cpp' '*.h' | grep -E '(^|/)(tests|testing)/' | grep -v '^bench/')
mapfile -t program < <(git ls-files '*.cpp' '*.h' | grep -vE '(^|/)(tests|testing)/' | grep -v '^bench/')
t=$(count "${tests[@]}")
p=$(count "${program[@]}")
echo "tests: $t lines, program: $p lines, tests/program: $((100 * t / p))%"
