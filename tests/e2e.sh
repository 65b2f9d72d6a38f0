#!/usr/bin/env bash
# End-to-end tests: run the built tool as a user would, in a temporary
# folder, and check its console text, exit status and the files on disk.
# Each case is a file tests/e2e/CASE.sh, run with the helpers below; its
# expected console text and standard error are the files
# tests/e2e/CASE[.VARIANT].console and .stderr beside it, compared as bytes
# (KESTRANE_UPDATE_GOLDEN=1 writes them from the actual run instead).
# Usage: e2e.sh TOOL CASE, or e2e.sh --list for the case names.
# Exit 0 passed, 1 failed, 77 skipped (a case that does not apply here).
set -u
cases=$(cd "$(dirname "$0")/e2e" && pwd)
if [ "${1:-}" = --list ]; then
    for file in "$cases"/*.sh; do basename "$file" .sh; done
    exit 0
fi
tool=$(realpath "$1")
case_name=$2
[ -f "$cases/$case_name.sh" ] || { echo "unknown case $case_name"; exit 1; }
. "$(dirname "$0")/lib.sh"
make_work

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
skip() { echo "SKIP: $*"; exit 77; }
is_windows() { [ -n "${KESTRANE_RUNNER:-}" ]; }

# expect_console [VARIANT], expect_stderr [VARIANT]: the console text or
# standard error of the last run must be exactly the case's expected file,
# in which the run's temporary folder is written @WORK@.
expect_console() { expect_output "$cases/$case_name${1:+.$1}.console" console.out "console text ${1:-}"; }
expect_stderr() { expect_output "$cases/$case_name${1:+.$1}.stderr" stderr.out "standard error ${1:-}"; }
expect_output() {
    WORK="$work" perl -pe 's/\Q$ENV{WORK}\E/\@WORK\@/g' "$work/$2" >"$work/$2.cmp"
    same_bytes "$1" "$work/$2.cmp" || fail "$3"
}
expect_status() { [ "$status" = "$1" ] || fail "exit status $status, expected $1"; }
expect_file() { [ -f "$work/$1" ] || fail "$1 was not written"; }
expect_no_file() { [ ! -e "$work/$1" ] || fail "$1 exists but should not"; }
# expect_opened LINES: the opener was called with exactly these paths.
expect_opened() {
    is_windows && return 0
    local got=""
    [ -f "$work/bin/opened.log" ] && got=$(cat "$work/bin/opened.log")
    [ "$got" = "$1" ] || fail "opened [$got], expected [$1]"
}

settings() { printf '%s' "$1" >"$work/${2:-settings.ini}"; }
run() { run_tool "$@" >"$work/console.out" 2>"$work/stderr.out"; status=$?; }

SIMPLE=$'$()cycles = alpha\n{alpha\n$()maps = arena1;10\narena2\n}\n'

. "$cases/$case_name.sh"

[ "$failures" = 0 ] || exit 1
exit 0
