#!/bin/sh
# Runs one QtTest program under Wine for CTest. With no console attached, QtTest on Windows
# sends its report to the debugger channel rather than to standard output, so the report is
# written to a file and shown from there. Usage: wine-qtest.sh PROGRAM.exe [ARGS...]
report=$(mktemp)
trap 'rm -f "$report"' EXIT
run() { wine "$@" -o "$report,txt" </dev/null; status=$?; }
run "$@"
# QtTest writes its report's first lines as it starts, so a failure with an empty report is
# Wine not starting the program (seen once in CI, on a fresh prefix, in 0.01 s): that is
# tried once more, and said; a program that ran and failed is never run again.
if [ $status -ne 0 ] && [ ! -s "$report" ]; then
  echo "wine-qtest: Wine did not start $1 (status $status); starting it once more" >&2
  run "$@"
fi
cat "$report"
exit $status
