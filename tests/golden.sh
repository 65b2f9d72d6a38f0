#!/usr/bin/env bash
# Runs the tool on one golden settings file and compares what it writes,
# byte for byte, with the expected files beside it: CASE.cfg for the script
# (written to out.cfg), CASE.txt for the report (out.txt), CASE.console
# for the console text, each when present, and CASE.stderr for standard
# error, which must be empty when there is no such file. The expected files
# hold the native build's bytes; the Windows build's differ only in the
# encoding of the fixed characters, when the settings file is ASCII (see
# expected_for in lib.sh), or are in CASE.windows.cfg and CASE.windows.txt.
# Every script and report written must also be valid text in the encoding
# chosen for the settings file (check_encoding in lib.sh).
# KESTRANE_UPDATE_GOLDEN=1 writes the actual bytes over the present files.
set -u
tool=$(realpath "$1")
case_file=$2
stem=${case_file%.ini}
. "$(dirname "$0")/lib.sh"
make_work
cp "$case_file" "$work/settings.ini"
run_tool settings.ini </dev/null >"$work/console.out" 2>"$work/stderr.out"
status=$?
failed=0
[ "$status" = 0 ] || { echo "FAIL: exit status $status"; failed=1; }
for pair in cfg:out.cfg txt:out.txt; do
    expected=$(expected_for "$case_file" "$stem.${pair%%:*}")
    actual="$work/${pair#*:}"
    if [ -f "$expected" ]; then
        [ -f "$actual" ] || { echo "FAIL: $actual was not written"; failed=1; continue; }
        same_bytes "$expected" "$actual" || failed=1
    fi
done
check_encoding "$case_file" "$work/out.cfg" "$work/out.txt" || failed=1
[ -f "$stem.console" ] && { same_bytes "$stem.console" "$work/console.out" || failed=1; }
# Without CASE.stderr, standard error must stay empty.
if [ -f "$stem.stderr" ] || [ -s "$work/stderr.out" ]; then
    same_bytes "$stem.stderr" "$work/stderr.out" || failed=1
fi
exit $failed
