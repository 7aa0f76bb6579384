#!/bin/sh
# Runs one QtTest program under Wine for CTest. With no console attached, QtTest on Windows
# sends its report to the debugger channel rather than to standard output, so the report is
# written to a file and shown from there. Usage: wine-qtest.sh PROGRAM.exe [ARGS...]
report=$(mktemp)
trap 'rm -f "$report"' EXIT
wine "$@" -o "$report,txt" </dev/null
status=$?
cat "$report"
exit $status
