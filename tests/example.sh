#!/usr/bin/env bash
# The bundled example's script and report must be what the tool makes of
# examples/cycles.ini today (as lib.sh's expected_for adjusts them for the
# Windows build).
set -u
tool=$(realpath "$1")
examples=$2
. "$(dirname "$0")/lib.sh"
make_work
cp "$examples/cycles.ini" "$work/"
run_tool cycles.ini </dev/null >"$work/console.out" || { echo "FAIL: exit status $?"; exit 1; }
failed=0
for file in rotation.cfg report.txt; do
    same_bytes "$(expected_for "$examples/cycles.ini" "$examples/$file")" "$work/$file" || failed=1
done
check_encoding "$examples/cycles.ini" "$work/rotation.cfg" "$work/report.txt" || failed=1
exit $failed
