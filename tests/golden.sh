#!/usr/bin/env bash
# Runs the tool on one golden settings file and compares what it writes,
# byte for byte, with the expected files beside it: CASE.cfg for the script
# (written to out.cfg), CASE.txt for the report (out.txt) and CASE.console
# for the console text, each when present.
set -u
tool=$1
case_file=$2
stem=${case_file%.ini}
. "$(dirname "$0")/lib.sh"
make_work
cp "$case_file" "$work/settings.ini"
run_tool settings.ini </dev/null >"$work/console.out"
status=$?
failed=0
[ "$status" = 0 ] || { echo "FAIL: exit status $status"; failed=1; }
for pair in cfg:out.cfg txt:out.txt; do
    expected="$stem.${pair%%:*}"
    actual="$work/${pair#*:}"
    if [ -f "$expected" ]; then
        [ -f "$actual" ] || { echo "FAIL: $actual was not written"; failed=1; continue; }
        same_bytes "$expected" "$actual" || failed=1
    fi
done
if [ -f "$stem.console" ]; then
    same_bytes "$stem.console" "$work/console.out" || failed=1
fi
exit $failed
